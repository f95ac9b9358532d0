#include "../common/HostileHtml.h"
#include "../common/PeakMemory.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../common/ThreadTime.h"
#include "../graphics/HostilePicture.h"
#include "../graphics/HostileSvg.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "PictureReader.h"
#include "TextEdit.h"
#include "TextEditDocument.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDirIterator>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTextEdit>

#include <memory>

#include <unistd.h>

using namespace DialogTestTools;
using namespace EditorTestTools;

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

// The drawings of a document share three seconds of their helpers' own
// time, which a busy machine stretches on the wall clock; the answer comes
// after the last drawing stopped and the page is laid out.
constexpr int drawingsAnsweredWithinMs
    = waitBoundMs(DAvuroD::PictureReader::Budget::svgDrawingMs + 1000);

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
// and its bottom; returns the message that came during the opening, if any.
QString openAnswered(QWidget* window, const QString& path)
{
    QAction* open = nullptr;
    for (QAction* action : window->findChildren<QAction*>())
        open = action->text() == "&Open..." ? action : open;
    const QString message = messageAfterFileDialog(path, [open, window] {
        open->trigger();
        settled(window);
    });
    QScrollBar* bar = textArea(window)->verticalScrollBar();
    for (int value : {bar->minimum(), bar->maximum()}) {
        bar->setValue(value);
        window->grab();
    }
    return message;
}

// Opens and shows the file; no message came during the opening.
void openAndShow(QWidget* window, const QString& path)
{
    QCOMPARE(openAnswered(window, path), QString());
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

    // A document reads at most 1,000 pictures, each a millisecond or so to
    // decode: those after show as missing, and the user is told once.
    void picturesPastTheCountShowAsMissing()
    {
        // GIVEN an HTML file naming 1,001 small pictures, each of its own
        QStringList names;
        for (int i = 0; i < TextEditDocument::maxPictures + 1; ++i) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(QColor::fromRgb(QRgb(i)));
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            picture.save(&png, "PNG");
            names << dataUrl(png.data(), i);
        }
        TestFolder folder;
        // (None given a size: the layout reads each.)
        QString page;
        for (const QString& name : names)
            page += QString("<img src=\"%1\">").arg(name);
        const QString path = folder.write("pictures.html", page.toUtf8());
        // WHEN it is opened and shown
        TextEdit window;
        window.resize(800, 600);
        window.show();
        openAndShow(&window, path);
        textArea(&window)->verticalScrollBar()->setValue(
            textArea(&window)->verticalScrollBar()->maximum());
        window.grab();
        // THEN the first 1,000 show, the last as missing, and the user is told why
        QCOMPARE(shownAs(&window, names.at(0)).size(), QSize(8, 8));
        QCOMPARE(shownAs(&window, names.last()).size(), QSize(16, 16));
        QTRY_COMPARE(window.findChildren<QMessageBox*>().size(), 1);
        const QString message = window.findChild<QMessageBox*>()->text();
        QVERIFY2(message.contains("more than 1000 pictures"), qPrintable(message));
    }

    // A document counts the names of its pictures, as the page helper
    // counts them, whether a name stands for a picture or for nothing.
    void namesPastTheCountShowAsMissing()
    {
        // GIVEN a page naming 1,000 pictures that are not there, then a tall one that is
        TestFolder folder;
        folder.writePicture("tall.png", Qt::red, 16, 4000);
        QString page = "<p>";
        for (int i = 0; i < TextEditDocument::maxPictures; ++i)
            page += QString("<img src=\"none%1.png\">").arg(i);
        const QString path
            = folder.write("pictures.html", (page + "</p><p><img src=\"tall.png\"></p>").toUtf8());
        // WHEN it is opened and shown
        TextEdit window;
        window.resize(800, 600);
        window.show();
        openAndShow(&window, path);
        // THEN the tall picture is laid out as missing, as the page helper
        // laid it out, and the user is told why
        const qreal height = textArea(&window)->document()->size().height();
        QVERIFY2(height < 4000, qPrintable(QString::number(height)));
        QCOMPARE(shownAs(&window, "tall.png").size(), QSize(16, 16));
        QTRY_COMPARE(window.findChildren<QMessageBox*>().size(), 1);
        const QString message = window.findChild<QMessageBox*>()->text();
        QVERIFY2(message.contains("more than 1000 pictures"), qPrintable(message));
    }

    void pasteIntoAThousandPictures_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("shown");
        // Once edited, the document is tried anew in the page helper.
        for (const bool edited : {false, true}) {
            const QByteArray after = edited ? ", after an edit" : "";
            QTest::newRow("a picture the document names" + after) << "tall.png" << edited << true;
            QTest::newRow("a picture of its own" + after) << "other.png" << edited << false;
        }
    }

    // GIVEN a document of 1,000 pictures, a tall one among them, as opened
    // or once edited
    // WHEN a page naming a tall picture is pasted, one the document names or one of its own
    // THEN a picture the document names shows at its size; one of its own
    // shows as missing, as its trial laid it out, and the user is told why
    void pasteIntoAThousandPictures()
    {
        QFETCH(QString, pasted);
        QFETCH(bool, edited);
        QFETCH(bool, shown);
        TestFolder folder;
        folder.writePicture("tall.png", Qt::red, 16, 4000);
        folder.writePicture("other.png", Qt::blue, 16, 4000);
        // (A first paragraph, where the paste goes, apart from the pictures.)
        QString page = "<p>first</p><p><img src=\"tall.png\">";
        for (int i = 1; i < TextEditDocument::maxPictures; ++i)
            page += QString("<img src=\"%1\">")
                        .arg(folder.writePicture(
                            QString("%1.png").arg(i), QColor::fromRgb(QRgb(i)), 8, 8));
        TextEdit window;
        window.resize(800, 600);
        window.show();
        openAndShow(&window, folder.write("pictures.html", (page + "</p>").toUtf8()));
        if (edited)
            textArea(&window)->insertPlainText("edited ");
        const qreal before = textArea(&window)->document()->size().height();
        // (Named relative to the document, as a page beside it names them.)
        auto* offer = new QMimeData;
        offer->setHtml(QString("<p>pasted</p><p><img src=\"%1\"></p>").arg(pasted));
        QApplication::clipboard()->setMimeData(offer);
        window.slotPaste();
        settled(&window);
        QVERIFY(textArea(&window)->toPlainText().contains("pasted"));
        const qreal grown = textArea(&window)->document()->size().height() - before;
        QVERIFY2(shown ? grown > 4000 : grown < 100, qPrintable(QString::number(grown)));
        QCOMPARE(shownAs(&window, pasted).size(), shown ? QSize(16, 4000) : QSize(16, 16));
        if (shown) {
            QTest::qWait(50);
            QVERIFY(window.findChildren<QMessageBox*>().isEmpty());
            return;
        }
        QTRY_COMPARE(window.findChildren<QMessageBox*>().size(), 1);
        const QString message = window.findChild<QMessageBox*>()->text();
        QVERIFY2(message.contains("more than 1000 pictures"), qPrintable(message));
    }

    // GIVEN a window whose document was set to 600 pictures, each of its own
    // WHEN it is set to 600 others
    // THEN each of those shows: a document set anew reads its pictures anew
    void documentSetAnewReadsItsPicturesAnew()
    {
        TestFolder folder;
        TextEdit window;
        window.resize(800, 600);
        window.show();
        QString last;
        for (const char* set : {"a", "b"}) {
            QString page = "<p>";
            for (int i = 0; i < 600; ++i) {
                last = folder.writePicture(
                    QString("%1%2.png").arg(set).arg(i), QColor::fromRgb(QRgb(i)), 8, 8);
                page += QString("<img src=\"%1\">").arg(last);
            }
            window.setHtml(page + "</p>");
            textArea(&window)->document()->size();
            window.grab();
        }
        QCOMPARE(shownAs(&window, last).size(), QSize(8, 8));
        QTest::qWait(50);
        QVERIFY(window.findChildren<QMessageBox*>().isEmpty());
    }

    // A picture counts as it decodes, whatever the icon that holds it says.
    void iconHoldingAHugePictureShowsAsMissing()
    {
        // GIVEN an HTML file showing a 16 x 16 icon that holds a 20000 x 20000 PNG
        TestFolder folder;
        const QByteArray icon = iconHolding(hugePicture(20000));
        const QString name = "data:image/x-icon;base64," + QString::fromLatin1(icon.toBase64());
        const QString path = folder.write("icon.html", html({name}).toUtf8());
        // WHEN it is opened and shown, within the memory bound
        std::unique_ptr<TextEdit> window;
        openMeasured(window, path);
        if (QTest::currentTestFailed())
            return;
        // THEN the icon shows as missing, and the user is told
        QCOMPARE(shownAs(window.get(), name).size(), QSize(16, 16));
        QTRY_COMPARE(window->findChildren<QMessageBox*>().size(), 1);
    }

    void hostilePicturesOpenQuickly_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const auto svg = [](const QByteArray& drawing) {
            return HostileHtml::dataPicture("image/svg+xml", drawing);
        };
        QTest::newRow("8000 x 8000 SVG of 2000 large translucent circles")
            << svg(HostileHtml::svgCircles(8000, 2000)) << QString();
        QTest::newRow("SVG image embedding a 20000 x 20000 picture")
            << svg(HostileSvg::imageNamingTwo(hugePicture(20000), hugePicture(16))) << QString();
        QTest::newRow("SVG of an entity used 20000 times in a style")
            << svg(HostileSvg::entityInStyle()) << QString();
        QTest::newRow("SVG of text of 200000 references to an entity")
            << svg(HostileSvg::entityText()) << QString();
        QTest::newRow("SVG of an element of 60000 attributes")
            << svg(HostileSvg::manyAttributes()) << QString();
        QTest::newRow("SVG of 5000 class rules over elements of 1000 classes")
            << svg(HostileSvg::classLists()) << QString();
        QTest::newRow("SVG of a gradient of 90000 stops")
            << svg(HostileSvg::manyStops()) << QString();
        QTest::newRow("SVG of 400 radial fills composed soft-light")
            << svg(HostileSvg::compositionModes()) << QString();
        QTest::newRow("SVG of a picture drawn 7000 times turned and translucent")
            << svg(HostileSvg::rotatedPictures()) << QString();
        QTest::newRow("10,000 cells with backgrounds of their own")
            << HostileHtml::backgroundCells(10000) << QString();
    }

    void hostilePicturesOpenQuickly()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        // GIVEN a file whose pictures are cheap to hold and slow to draw or to lay out
        TestFolder folder;
        const QString path = folder.write("pictures.html", content);
        QVERIFY(resetPeakMemory());
        const qint64 before = peakMemoryKiB();
        TextEdit window;
        window.resize(800, 600);
        window.show();
        // WHEN it is opened and shown
        const ThreadTime clock;
        const QString answer = openAnswered(&window, path);
        // THEN that takes a moment, or the time the drawings of a document have, and
        // little memory: the file is refused, or its picture shows as missing
        QVERIFY2(clock.elapsedMs() < drawingsAnsweredWithinMs,
            qPrintable(QString::number(clock.elapsedMs())));
        const qint64 growth = peakMemoryKiB() - before;
        QVERIFY2(growth < mostGrowth, qPrintable(QString::number(growth)));
        QVERIFY2(answer.contains(message), qPrintable(answer));
        if (message.isEmpty())
            QVERIFY(!shownAs(&window, QString::fromLatin1(content).section('"', 1, 1)).isNull());
    }

    void pageOfManySlowDrawingsOpensWithinSeconds_data()
    {
        QTest::addColumn<bool>("pasted");
        QTest::newRow("opened") << false;
        QTest::newRow("pasted") << true;
    }

    // The drawings of a file, or of a paste, share the time to draw them.
    void pageOfManySlowDrawingsOpensWithinSeconds()
    {
        QFETCH(bool, pasted);
        // GIVEN a page of 1,000 small SVGs, each a thousand fills of a megapixel
        QString page;
        QStringList names;
        for (int i = 0; i < 1000; ++i) {
            names << "data:image/svg+xml;base64,"
                    + QString::fromLatin1(
                        (HostileSvg::layeredFills() + "<!--" + QByteArray::number(i) + "-->")
                            .toBase64());
            page += "<img src=\"" + names.last() + "\">";
        }
        TestFolder folder;
        const QString path = folder.write("drawings.html", page.toUtf8());
        TextEdit window;
        window.resize(800, 600);
        window.show();
        // WHEN it is opened, or pasted
        const ThreadTime clock;
        if (pasted) {
            auto* offer = new QMimeData;
            offer->setHtml(page);
            QApplication::clipboard()->setMimeData(offer);
            window.slotPaste();
            settled(&window);
        } else {
            openAnswered(&window, path);
        }
        window.grab();
        // THEN that takes the time the drawings of a document have, and the last drawing
        // shows as missing, the user told why
        QVERIFY2(clock.elapsedMs() < drawingsAnsweredWithinMs,
            qPrintable(QString::number(clock.elapsedMs())));
        QCOMPARE(shownAs(&window, names.last()).size(), QSize(16, 16));
        QTRY_VERIFY(!window.findChildren<QMessageBox*>().isEmpty());
        QVERIFY(window.findChildren<QMessageBox*>().first()->text().contains("seconds"));
    }

    void picturesAreAsHighAsTheyAreLaidOut_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("message");
        QTest::newRow("stretched to 8,000,000 pixels") << 400 << QString();
        QTest::newRow("stretched to 10,000,000 pixels")
            << 500 << "It is taller than this editor can lay out.";
    }

    // A picture is as high as the layout makes it: its own size, stretched in
    // its proportions to the width it is given.
    void picturesAreAsHighAsTheyAreLaidOut()
    {
        QFETCH(int, width);
        QFETCH(QString, message);
        // GIVEN an HTML file showing a picture of 1 x 20,000 pixels at a width
        TestFolder folder;
        folder.writePicture("narrow.png", Qt::red, 1, 20000);
        const QString path = folder.write("tall.html",
            QString("<p><img src=\"narrow.png\" width=\"%1\"></p>").arg(width).toUtf8());
        TextEdit window;
        window.resize(800, 600);
        window.show();
        // WHEN it is opened
        const QString answer = openAnswered(&window, path);
        // THEN it is refused for its height, or shown that high
        QVERIFY2(answer.contains(message), qPrintable(answer));
        const qreal height = textArea(&window)->document()->size().height();
        if (message.isEmpty())
            QVERIFY2(height > 20000.0 * width, qPrintable(QString::number(height)));
        else
            QVERIFY2(height < 100, qPrintable(QString::number(height)));
    }

    // Resources of the program are pictures too, read by their resource path.
    void resourcePictureShows()
    {
        // GIVEN an HTML file naming a picture among the program's resources
        QDirIterator resources(":/", {"*.png"}, QDir::Files);
        QVERIFY(resources.hasNext());
        const QString resource = resources.next();
        const QImage picture(resource);
        TestFolder folder;
        const QString path = folder.write("resource.html", html({resource}).toUtf8());
        // WHEN it is opened and shown
        TextEdit window;
        window.show();
        openAndShow(&window, path);
        // THEN the document holds that picture
        const QImage shown = shownAs(&window, "qrc" + resource);
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
            picture.convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_MAIN(TestTextEditPictures)
#include "test_TextEditPictures.moc"
