#include "../../examples/gallery/ViewerPage.h"
#include "../common/PeakMemory.h"
#include "../common/TestFolder.h"
#include "../graphics/HostilePicture.h"
#include "Viewer.h"

#include <QtTest>

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
        // THEN the viewer shows the huge one only when it decodes small, in less than 100 MB
        auto* viewer = page.findChild<ZEReruzo::Viewer*>();
        QSignalSpy edit(viewer, &ZEReruzo::Viewer::editItem);
        viewer->slotEditItem();
        QCOMPARE(edit.value(0).value(0).toString(), shown ? huge : QString(""));
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 100 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

private:
    TestFolder m_files;
};

QTEST_MAIN(TestViewerPage)

#include "test_ViewerPage.moc"
