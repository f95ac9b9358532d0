#include "../../examples/gallery/ViewerPage.h"
#include "../common/MissingSign.h"
#include "../common/PeakMemory.h"
#include "../common/TestFolder.h"
#include "../graphics/HostilePicture.h"
#include "SimpleViewer.h"
#include "Viewer.h"

#include <QLabel>
#include <QtTest>

namespace {

// The thumbnails' labels, in the order of their files.
QList<QLabel*> thumbnails(const ViewerPage& page)
{
    QList<QLabel*> labels;
    for (QLabel* label : page.findChildren<QLabel*>())
        if (!label->pixmap(Qt::ReturnByValue).isNull())
            labels << label;
    return labels;
}

} // namespace

// The gallery's viewer page reads every picture within the picture budget.
class TestViewerPage : public QObject
{
    Q_OBJECT

private slots:
    void hugePictureLeavesMemoryAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        QTest::newRow("JPEG in one scan is shown") << "huge.jpg" << true;
        QTest::newRow("PNG is refused") << "huge.png" << false;
    }

    void hugePictureLeavesMemoryAlone()
    {
        QFETCH(QString, name);
        QFETCH(bool, shown);
        // GIVEN a small file claiming 23000 x 23000 pixels, then a small picture
        const QString huge
            = m_files.write(name, name.endsWith(".jpg") ? hugeJpeg(23000) : hugePicture());
        const QString small = m_files.writePicture("small.png", Qt::red);
        if (!resetPeakMemory())
            QSKIP("The peak memory cannot be reset here.");
        const qint64 peakBefore = peakMemoryKiB();
        // WHEN the page shows them
        if (!shown) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*huge.png"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*huge.png"));
        }
        ViewerPage page({huge, small});
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.grab();
        // THEN the viewer shows the huge one, as missing when it does not decode small, in less
        // than 100 MB
        auto* viewer = page.findChild<ZEReruzo::Viewer*>();
        QSignalSpy edit(viewer, &ZEReruzo::Viewer::editItem);
        viewer->slotEditItem();
        QCOMPARE(edit.value(0).value(0).toString(), huge);
        QCOMPARE(MissingSign(viewer->pixmap().toImage()).sign.isValid(), !shown);
        QCOMPARE(viewer->toolTip().startsWith("Not shown: 23000 x 23000 pixels"), !shown);
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 100 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

    void refusedPicturesShowAsMissing()
    {
        // GIVEN a red picture, then two small files whose headers claim pictures past the bound
        const QStringList files = {m_files.writePicture("red.png", Qt::red),
            m_files.write(
                "colour.png", claimingPicture(QImage::Format_ARGB32, QSize(11586, 11586))),
            m_files.write(
                "grey.png", claimingPicture(QImage::Format_Grayscale8, QSize(10400, 10400)))};
        // WHEN the page shows them
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*colour.png"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*colour.png"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*grey.png"));
        ViewerPage page(files);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        // THEN the red one's thumbnail is red, and each refused one's the missing sign, with
        // the reason as its tool tip
        const QList<QLabel*> labels = thumbnails(page);
        QCOMPARE(labels.size(), 3);
        const QImage first = labels.at(0)->pixmap(Qt::ReturnByValue).toImage();
        QCOMPARE(first.pixelColor(first.rect().center()), QColor(Qt::red));
        QCOMPARE(labels.at(0)->toolTip(), QString());
        const QStringList claims = {"11586 x 11586 pixels", "10400 x 10400 pixels"};
        for (int i = 1; i < 3; ++i) {
            const MissingSign shown(labels.at(i)->pixmap(Qt::ReturnByValue).toImage());
            QVERIFY2(shown.signInTheMiddle(), qPrintable(shown.describe()));
            QCOMPARE(shown.count(Qt::red), 0);
            const QString tip = labels.at(i)->toolTip();
            QVERIFY2(tip.startsWith("Not shown: " + claims.at(i - 1)), qPrintable(tip));
        }
        // AND the stretched view of the second shows the sign, and the reason under it
        auto* stretched = page.findChild<ZEReruzo::SimpleViewer*>();
        const MissingSign shown(stretched->grab().toImage());
        QVERIFY2(shown.signInTheMiddle() && shown.textUnderSign(), qPrintable(shown.describe()));
        QVERIFY2(stretched->toolTip().startsWith("Not shown: " + claims.at(0)),
            qPrintable(stretched->toolTip()));
    }

private:
    TestFolder m_files;
};

QTEST_MAIN(TestViewerPage)

#include "test_ViewerPage.moc"
