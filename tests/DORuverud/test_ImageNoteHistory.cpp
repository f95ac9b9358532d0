// The annotation editor's history of steps keeps within its budget.
#include "../common/MouseDrag.h"
#include "../common/PeakMemory.h"
#include "App.h"
#include "ImageNoteHistory.h"
#include "ImageNoteTestTools.h"

#include <QSignalSpy>

using namespace ImageNoteTestTools;
using namespace MouseDrag;
using DORuverud::App;
using DORuverud::ImageNoteWorkArea;
using Mode = DORuverud::ImageNoteWorkArea::Mode;

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator adds its own to each of the history's many small
// blocks, and holds freed memory back from reuse: the plain build measures
// the history.
constexpr qint64 allocatorShare = 2;
#else
constexpr qint64 allocatorShare = 1;
#endif

class TestImageNoteHistory : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_area = shownArea();
        QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
    }

    // 3,000 dots, each a step of one small tile beside the list of the
    // layer's 570 tiles: the history counts both, so that what it holds keeps
    // within its budget.
    void historyCountsEveryStepWhole()
    {
        m_area->slotSetPixmap(QPixmap::fromImage(knownPicture(QSize(1920, 1200))));
        m_area->slotSetMode(Mode::Pen);
        m_area->slotSetThikness(1);
        const auto* history = m_area->findChild<DORuverud::ImageNoteHistory*>();
        const qint64 before = peakFromNow();
        for (int dot = 0; dot < 3000; ++dot) {
            const QPoint at(dot * 37 % 1920, dot * 23 % 1200);
            clickOrDrag(m_area.get(), at, at);
        }
        const qint64 growth = peakMemoryKiB() - before;
        qInfo("peak memory growth %lld KiB, history %lld KiB", growth, history->bytes() >> 10);
        QVERIFY(history->bytes() <= DORuverud::ImageNoteHistory::Budget);
        // The budget and two layers as they are drawn on
        QVERIFY2(
            growth < allocatorShare * ((DORuverud::ImageNoteHistory::Budget >> 10) + 20 * 1024),
            qPrintable(QString::number(growth)));
    }

    void historyKeepsWithinItsBudget()
    {
        m_area->slotSetPixmap(QPixmap::fromImage(knownPicture(QSize(1920, 1200))));
        m_area->slotSetMode(Mode::Pen);
        m_area->slotSetThikness(20);
        const auto* history = m_area->findChild<DORuverud::ImageNoteHistory*>();
        QVERIFY(history);
        QList<QImage> last;
        qint64 most = 0;
        for (int stroke = 0; stroke < 300; ++stroke) {
            m_area->slotSetColor(QColor::fromHsv(stroke * 7 % 360, 255, 255));
            const int x = stroke * 61 % 1920;
            drag(m_area.get(), QPoint(x, 0), QPoint(1919 - x, 1199));
            most = qMax(most, history->bytes());
            if (stroke >= 296)
                last << shown(*m_area);
        }
        QVERIFY2(most <= DORuverud::ImageNoteHistory::Budget, qPrintable(QString::number(most)));
        // The budget held the history back: without it this would be more.
        QVERIFY(most > DORuverud::ImageNoteHistory::Budget / 2);
        for (int i = 2; i >= 0; --i) {
            m_area->slotUndo();
            QCOMPARE(shown(*m_area), last.at(i));
        }
        for (int i = 1; i <= 3; ++i) {
            m_area->slotRedo();
            QCOMPARE(shown(*m_area), last.at(i));
        }
        // Undo goes back as far as the budget kept steps, and no further.
        int undone = 0;
        QSignalSpy undo(m_area.get(), &ImageNoteWorkArea::undoAvailable);
        while (undone < 300 && (m_area->slotUndo(), undo.last().first().toBool()))
            ++undone;
        QVERIFY2(undone >= 20 && undone < 299, qPrintable(QString::number(undone)));
        QVERIFY(history->bytes() <= DORuverud::ImageNoteHistory::Budget);
    }

private:
    std::unique_ptr<ImageNoteWorkArea> m_area;
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestImageNoteHistory test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ImageNoteHistory.moc"
