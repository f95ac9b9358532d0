#include "../common/TestFolder.h"
#include "../graphics/HostilePicture.h"
#include "DialogTestTools.h"
#include "TextEdit.h"

#include <QAction>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextEdit>

#include <memory>

#include <unistd.h>

using namespace DialogTestTools;

namespace {

// A picture of 64 megapixels, 256 MiB as it is shown.
constexpr int side = 8192;
#if defined(__SANITIZE_ADDRESS__)
// The sanitizer keeps freed memory in quarantine and shadows what is held: 1 GiB.
constexpr qint64 mostGrowth = 1 << 20;
#else
// 300 MB of peak memory growth, in KiB.
constexpr qint64 mostGrowth = 300000000 / 1024;
#endif

QString dataUrl(const QByteArray& picture, int variant)
{
    return QString("data:image/png;variant=%1;base64,%2")
        .arg(variant)
        .arg(QString::fromLatin1(picture.toBase64()));
}

// Count names of the picture file: hard links, or the path with "/./"
// repeated; fewer when a link fails.
QStringList namesOf(const QString& path, int count, bool links)
{
    QStringList names;
    const QString folder = QFileInfo(path).path();
    for (int i = 0; i < count; ++i) {
        QString name = folder + QString("/.").repeated(i) + '/' + QFileInfo(path).fileName();
        if (links && i > 0) {
            name = QString("%1/link%2.png").arg(folder).arg(i);
            if (::link(qPrintable(path), qPrintable(name)) != 0)
                break;
        }
        names << name;
    }
    return names;
}

// Every other picture at a size of its own, read only when it is painted.
QString html(const QStringList& names)
{
    QString text = "<html><body><p>";
    for (int i = 0; i < names.size(); ++i)
        text += QString("<img src=\"%1\"%2> ").arg(names.at(i), i % 2 ? " width=32 height=32" : "");
    return text + "</p></body></html>";
}

QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
}

QImage shownAs(QWidget* window, const QString& name)
{
    return textArea(window)
        ->document()
        ->resource(QTextDocument::ImageResource, name)
        .value<QImage>();
}

// Opens the file through the Open dialog and paints the window at its top
// and its bottom; no message came during the opening.
void openAndShow(QWidget* window, const QString& path)
{
    QAction* open = nullptr;
    for (QAction* action : window->findChildren<QAction*>())
        open = action->text() == "&Open..." ? action : open;
    QCOMPARE(messageAfterFileDialog(path, [open] { open->trigger(); }), QString());
    QScrollBar* bar = textArea(window)->verticalScrollBar();
    for (int value : {bar->minimum(), bar->maximum()}) {
        bar->setValue(value);
        window->grab();
    }
}

// Opens the file in a new window of 800 x 600, shows it, and checks the peak
// memory growth from before the window was made.
void openMeasured(std::unique_ptr<TextEdit>& window, const QString& path)
{
    QVERIFY(resetPeakMemory());
    const qint64 before = peakMemoryKiB();
    window = std::make_unique<TextEdit>();
    window->resize(800, 600);
    window->show();
    openAndShow(window.get(), path);
    const qint64 growth = peakMemoryKiB() - before;
    qInfo("peak memory growth %lld KiB", growth);
    QVERIFY2(growth < mostGrowth, qPrintable(QString::number(growth)));
}

} // namespace

class TestTextEditPictures : public QObject
{
    Q_OBJECT

private slots:
    // What a first window costs once, its fonts among them, is no part of the figures.
    void initTestCase()
    {
        TestFolder folder;
        TextEdit window;
        window.show();
        openAndShow(&window,
            folder.write("small.html", html({folder.writePicture("small.png", Qt::red)}).toUtf8()));
    }

    // A picture named relative to the document is read from beside it, not
    // from the program's working folder.
    void pictureBesideTheDocumentShows()
    {
        TestFolder folder;
        folder.writePicture("beside.png", Qt::red, 40, 30);
        const QString path = folder.write("notes.html", html({"beside.png"}).toUtf8());
        QVERIFY(QDir::currentPath() != folder.path());
        TextEdit window;
        window.show();
        openAndShow(&window, path);
        QCOMPARE(shownAs(&window, "beside.png").size(), QSize(40, 30));
    }

    void onePictureIsHeldOnceHoweverNamed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("1,000 hard links") << "links";
        QTest::newRow("1,000 paths with dots") << "dots";
        QTest::newRow("11 data URLs") << "data";
    }

    void onePictureIsHeldOnceHoweverNamed()
    {
        QFETCH(QString, kind);
        // GIVEN an HTML file naming one picture of 8192 x 8192 pixels in many ways
        TestFolder folder;
        const QByteArray picture = hugePicture(side, true);
        QStringList names;
        if (kind == "data") {
            for (int i = 0; i < 11; ++i)
                names << dataUrl(picture, i);
        } else {
            names = namesOf(folder.write("big.png", picture), 1000, kind == "links");
            QCOMPARE(names.size(), 1000);
        }
        const QString path = folder.write("pictures.html", html(names).toUtf8());
        // WHEN it is opened and shown, within the memory bound
        std::unique_ptr<TextEdit> window;
        openMeasured(window, path);
        if (QTest::currentTestFailed())
            return;
        // THEN it holds the picture's pixels once, and every name shows it
        for (const QString& name : {names.first(), names.last()})
            QCOMPARE(shownAs(window.get(), name).size(), QSize(side, side));
        // AND nothing was left out
        QTest::qWait(50);
        QVERIFY(window->findChildren<QMessageBox*>().isEmpty());
    }

    void picturesBeyondTheBudgetShowAsMissing_data()
    {
        QTest::addColumn<bool>("data");
        QTest::newRow("files") << false;
        QTest::newRow("data URLs") << true;
    }

    void picturesBeyondTheBudgetShowAsMissing()
    {
        QFETCH(bool, data);
        // GIVEN an HTML file naming three pictures of 64 megapixels twice each,
        // and a picture that is not there
        TestFolder folder;
        QStringList names;
        for (int i = 0; i < 3; ++i) {
            const QByteArray picture = hugePicture(side - i, true);
            names << (data ? dataUrl(picture, i) : folder.write(QString("%1.png").arg(i), picture));
        }
        const QString path
            = folder.write("pictures.html", html(names + names + QStringList("none.png")).toUtf8());
        // WHEN it is opened and shown, within the memory bound
        std::unique_ptr<TextEdit> window;
        openMeasured(window, path);
        if (QTest::currentTestFailed())
            return;
        // THEN the first picture shows, the others show as missing
        QCOMPARE(shownAs(window.get(), names.at(0)).size(), QSize(side, side));
        const QImage missing = shownAs(window.get(), "none.png");
        QVERIFY(!missing.isNull());
        QCOMPARE(shownAs(window.get(), names.at(1)), missing);
        QCOMPARE(shownAs(window.get(), names.at(2)), missing);
        // AND the user is told so once, however often they show
        QTRY_COMPARE(window->findChildren<QMessageBox*>().size(), 1);
        for (int value : {0, textArea(window.get())->verticalScrollBar()->maximum(), 0}) {
            textArea(window.get())->verticalScrollBar()->setValue(value);
            window->grab();
        }
        QTest::qWait(50);
        QCOMPARE(window->findChildren<QMessageBox*>().size(), 1);
        const QString message = window->findChild<QMessageBox*>()->text();
        QVERIFY2(message.contains("missing"), qPrintable(message));
    }
};

QTEST_MAIN(TestTextEditPictures)
#include "test_TextEditPictures.moc"
