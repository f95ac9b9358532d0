#include "../common/PeakMemory.h"
#include "App.h"
#include "AudioEngine.h"
#include "Metronome.h"
#include "MetronomeBeats.h"

#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace VADirur;

namespace {

// A metronome of that size with no bars, so that every switch sets a face.
void setUp(Metronome* metronome, const QSize& size)
{
    metronome->findChild<QPushButton*>("BeatCombo")->menu()->actions().at(0)->trigger();
    metronome->resize(size);
}

// The metronome's own painting, without its controls and lamps.
void paint(Metronome* metronome, QImage* surface)
{
    metronome->render(surface, QPoint(), QRegion(), QWidget::DrawWindowBackground);
}

// Where the painted face lies, in parts of the largest square centred in
// the area below the lamps.
QRectF faceInArea(Metronome* metronome, const QImage& painted)
{
    int left = painted.width(), right = -1, top = painted.height(), bottom = -1;
    for (int y = 0; y < painted.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(painted.constScanLine(y));
        for (int x = 0; x < painted.width(); ++x) {
            if (qGray(line[x]) > 16) {
                left = qMin(left, x);
                right = qMax(right, x + 1);
                top = qMin(top, y);
                bottom = qMax(bottom, y + 1);
            }
        }
    }
    const int lampsEnd = metronome->layout()->contentsMargins().top()
        + metronome->findChild<MetronomeBeats*>()->height();
    const QRect area(0, lampsEnd, metronome->width(), metronome->height() - lampsEnd);
    const qreal side = qMin(area.width(), area.height());
    const QPointF origin(
        area.left() + (area.width() - side) / 2, area.top() + (area.height() - side) / 2);
    return QRectF((left - origin.x()) / side, (top - origin.y()) / side, (right - left) / side,
        (bottom - top) / side);
}

} // namespace

class TestMetronomeFace : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wallSizedFaceKeepsToTheScreen();
};

// The output moves on only when a test mixes, so every tick the metronome
// schedules is still to come, and goes with it.
void TestMetronomeFace::initTestCase()
{
    DIReridArazi::AudioEngine::instance()->setManualClock(true);
}

// A window far larger than the screen: the face still fills it, while its
// pictures hold no more than the screen can show.
void TestMetronomeFace::wallSizedFaceKeepsToTheScreen()
{
    // GIVEN a metronome of 8000 by 8000 and the surface it paints into
    Metronome metronome(nullptr);
    setUp(&metronome, QSize(8000, 8000));
    QImage surface(metronome.size(), QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::black);
    QVERIFY(resetPeakMemory());
    const qint64 before = peakMemoryKiB();

    // WHEN it paints each face its two switches give
    for (const char* name :
        {"AudiableTickButton", "VisibleTickButton", "AudiableTickButton", "VisibleTickButton"}) {
        metronome.findChild<QPushButton*>(name)->click();
        paint(&metronome, &surface);
    }

    // THEN its pictures took well under 100 MB beyond the surface
    const qint64 grownKiB = peakMemoryKiB() - before;
    QVERIFY2(grownKiB < 100 * 1024, qPrintable(QString("grew by %1 MB").arg(grownKiB / 1024)));

    // AND the face fills the area below the lamps as it does in a small window
    Metronome small(nullptr);
    setUp(&small, QSize(400, 500));
    QImage smallSurface(small.size(), QImage::Format_ARGB32_Premultiplied);
    smallSurface.fill(Qt::black);
    paint(&small, &smallSurface);
    const QRectF large = faceInArea(&metronome, surface);
    const QRectF expected = faceInArea(&small, smallSurface);
    QVERIFY(expected.width() > 0.5);
    for (qreal difference : {large.left() - expected.left(), large.top() - expected.top(),
             large.right() - expected.right(), large.bottom() - expected.bottom()})
        QVERIFY2(qAbs(difference) < 0.01,
            qPrintable(QString("%1,%2 %3x%4")
                           .arg(large.x())
                           .arg(large.y())
                           .arg(large.width())
                           .arg(large.height())));
}

int main(int argc, char** argv)
{
    DORuverud::App application(argc, argv, "Quelmar", "Tessivar");
    TestMetronomeFace test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_MetronomeFace.moc"
