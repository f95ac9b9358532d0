#include "Canvas.h"

#include <QtTest>

#include <functional>
#include <queue>

using G = const DAvuroD::GraphX&;
using Drawing = std::function<void(G)>;
Q_DECLARE_METATYPE(Drawing)

namespace {

// The 4-connected region of the start pixel's colour, filled breadth first.
QVector<int> referenceFill(QVector<int> pixels, int width, QPoint start, int colour)
{
    const int height = pixels.size() / width;
    const int old = pixels[start.y() * width + start.x()];
    if (old == colour)
        return pixels;
    std::queue<QPoint> open;
    open.push(start);
    pixels[start.y() * width + start.x()] = colour;
    while (!open.empty()) {
        const QPoint p = open.front();
        open.pop();
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint n = p + step;
            if (n.x() < 0 || n.y() < 0 || n.x() >= width || n.y() >= height
                || pixels[n.y() * width + n.x()] != old)
                continue;
            pixels[n.y() * width + n.x()] = colour;
            open.push(n);
        }
    }
    return pixels;
}

// Walls every other column, open at the bottom and top in turn: one long
// winding corridor.
void drawComb(const Canvas& canvas, int size)
{
    for (int x = 1; x < size; x += 2)
        canvas.lineV(x % 4 == 1 ? 0 : 1, x % 4 == 1 ? size - 1 : size, x, 1);
}

} // namespace

// The drawing primitives of the pixel surface and its flood fill.
class TestGraphX : public QObject
{
    Q_OBJECT

private slots:
    void drawings_data();
    void drawings();
    void ellipseOfEqualRadiiIsACircle();
    void fill_data();
    void fill();
    void fillWindingRegion();
};

void TestGraphX::drawings_data()
{
    QTest::addColumn<bool>("ordered"); // else a set, by row and column
    QTest::addColumn<Drawing>("drawing");
    QTest::addColumn<QString>("pixels");
    const auto row = [](bool ordered, const char* name) -> QTestData& {
        return QTest::newRow(name) << ordered;
    };
    const auto line = [](int x1, int y1, int x2, int y2) {
        return Drawing([=](G g) { g.line(x1, y1, x2, y2, 1); });
    };
    row(true, "line east, shallow") << line(0, 0, 3, 1) << "0,0 1,0 2,1 3,1";
    row(true, "line given backwards") << line(3, 1, 0, 0) << "0,0 1,0 2,1 3,1";
    row(true, "line south, steep") << line(0, 0, 1, 3) << "0,0 0,1 1,2 1,3";
    row(true, "line south-west, steep") << line(0, 0, -1, 3) << "0,0 0,1 -1,2 -1,3";
    row(true, "line west, shallow") << line(0, 0, -3, 1) << "-3,1 -2,1 -1,0 0,0";
    row(true, "line west, rising") << line(0, 0, -3, -1) << "-3,-1 -2,-1 -1,0 0,0";
    row(true, "line north, steep") << line(0, 0, -1, -3) << "-1,-3 -1,-2 0,-1 0,0";
    row(true, "line north-east, steep") << line(0, 0, 1, -3) << "1,-3 1,-2 0,-1 0,0";
    row(true, "line east, rising") << line(0, 0, 3, -1) << "0,0 1,0 2,-1 3,-1";
    row(true, "diagonal walks along y") << line(0, 0, 3, 3) << "0,0 1,1 2,2 3,3";
    row(true, "one point") << line(5, 5, 5, 5) << "5,5";
    row(true, "lineH stops before x2")
        << Drawing([](G g) { g.lineH(2, 5, 1, 1); }) << "2,1 3,1 4,1";
    row(true, "empty lineH") << Drawing([](G g) { g.lineH(2, 2, 1, 1); }) << "";
    row(true, "lineV") << Drawing([](G g) { g.lineV(1, 3, 4, 1); }) << "4,1 4,2";
    row(true, "rectangle: rows, then columns")
        << Drawing([](G g) { g.rect(0, 0, 3, 3, 1); }) << "0,0 1,0 2,0 0,2 1,2 2,2 0,1 0,2 2,1";
    row(true, "filled rectangle from the bottom row")
        << Drawing([](G g) { g.fillRect(1, 1, 2, 2, 1); }) << "1,2 2,2 1,1 2,1";
    row(true, "circle of radius 0: the centre, eight times")
        << Drawing([](G g) { g.circle(0, 0, 0, 1); }) << "0,0 0,0 0,0 0,0 0,0 0,0 0,0 0,0";
    row(true, "disc of radius 0: nothing") << Drawing([](G g) { g.fillCircle(0, 0, 0, 1); }) << "";
    row(true, "ellipse of radii 0: the centre")
        << Drawing([](G g) { g.ellipse(2, 2, 0, 0, 1); }) << "2,2";
    row(true, "filled ellipse of radii 0: nothing")
        << Drawing([](G g) { g.fillEllipse(2, 2, 0, 0, 1); }) << "";
    row(true, "negative sizes: nothing") << Drawing([](G g) {
        g.rect(0, 0, -3, 3, 1);
        g.fillRect(0, 0, 3, -3, 1);
        g.circle(0, 0, -2, 1);
        g.ellipse(0, 0, -2, 3, 1);
    }) << "";
    // Shapes as sets.
    row(false, "circle") << Drawing([](G g) { g.circle(0, 0, 2, 1); })
                         << "-1,-2 0,-2 1,-2 -2,-1 2,-1 -2,0 2,0 -2,1 2,1 -1,2 0,2 1,2";
    row(false, "disc") << Drawing([](G g) { g.fillCircle(0, 0, 2, 1); })
                       << "-1,-2 0,-2 -2,-1 -1,-1 0,-1 1,-1 -2,0 -1,0 0,0 1,0 -2,1 -1,1 0,1 "
                          "1,1 -1,2 0,2";
    row(false, "wide ellipse")
        << Drawing([](G g) { g.ellipse(0, 0, 4, 2, 1); })
        << "-2,-2 -1,-2 0,-2 1,-2 2,-2 -4,-1 -3,-1 3,-1 4,-1 -4,0 4,0 -4,1 -3,1 3,1 4,1 -2,2 "
           "-1,2 0,2 1,2 2,2";
    row(false, "tall ellipse")
        << Drawing([](G g) { g.ellipse(0, 0, 2, 4, 1); })
        << "-1,-4 0,-4 1,-4 -1,-3 1,-3 -2,-2 2,-2 -2,-1 2,-1 -2,0 2,0 -2,1 2,1 -2,2 2,2 -1,3 "
           "1,3 -1,4 0,4 1,4";
    row(false, "filled wide ellipse")
        << Drawing([](G g) { g.fillEllipse(0, 0, 4, 2, 1); })
        << "-2,-2 -1,-2 0,-2 1,-2 -4,-1 -3,-1 -2,-1 -1,-1 0,-1 1,-1 2,-1 3,-1 -4,0 -3,0 -2,0 "
           "-1,0 0,0 1,0 2,0 3,0 -4,1 -3,1 -2,1 -1,1 0,1 1,1 2,1 3,1 -2,2 -1,2 0,2 1,2";
}

void TestGraphX::drawings()
{
    QFETCH(bool, ordered);
    QFETCH(Drawing, drawing);
    QFETCH(QString, pixels);
    const Canvas canvas(8, 8);
    drawing(canvas);
    QCOMPARE(canvas.plotted(ordered), pixels);
}

void TestGraphX::ellipseOfEqualRadiiIsACircle()
{
    for (int r = 1; r <= 40; ++r) {
        const Canvas circle(1, 1), ellipse(1, 1);
        circle.circle(3, 4, r, 1);
        ellipse.ellipse(3, 4, r, r, 1);
        QCOMPARE(ellipse.plotted(true), circle.plotted(true));
    }
}

void TestGraphX::fill_data()
{
    QTest::addColumn<Drawing>("outline");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<int>("colour");
    QTest::newRow("inside a closed rectangle")
        << Drawing([](G g) { g.rect(2, 2, 9, 7, 1); }) << QPoint(5, 5) << 2;
    QTest::newRow("out through a gap") << Drawing([](G g) {
        g.rect(2, 2, 9, 7, 1);
        g.putPixel(10, 5, 0);
    }) << QPoint(5, 5) << 2;
    QTest::newRow("outside, to the edges")
        << Drawing([](G g) { g.rect(2, 2, 9, 7, 1); }) << QPoint(0, 0) << 2;
    QTest::newRow("up a corridor one pixel wide") << Drawing([](G g) {
        g.fillRect(0, 0, 14, 10, 1);
        g.lineV(1, 9, 6, 0);
        g.lineH(2, 12, 8, 0);
    }) << QPoint(6, 8) << 2;
    QTest::newRow("inside a circle")
        << Drawing([](G g) { g.circle(7, 5, 4, 1); }) << QPoint(7, 5) << 3;
    QTest::newRow("the start pixel's own colour changes nothing")
        << Drawing([](G g) { g.rect(2, 2, 9, 7, 1); }) << QPoint(5, 5) << 0;
    QTest::newRow("a colour that paints as the old one changes nothing")
        << Drawing([](G g) { g.rect(2, 2, 9, 7, 1); }) << QPoint(5, 5) << 256;
}

void TestGraphX::fill()
{
    QFETCH(Drawing, outline);
    QFETCH(QPoint, start);
    QFETCH(int, colour);
    Canvas canvas(14, 10);
    outline(canvas);
    // The canvas keeps the low byte of a colour.
    const QVector<int> expected = referenceFill(canvas.pixels(), 14, start, colour & 0xFF);
    canvas.fill(start.x(), start.y(), colour);
    QCOMPARE(canvas.pixels(), expected);
}

// Deep enough to overflow the call stack of a recursive fill.
void TestGraphX::fillWindingRegion()
{
    const int size = 600;
    Canvas canvas(size, size);
    drawComb(canvas, size);
    const QVector<int> expected = referenceFill(canvas.pixels(), size, QPoint(0, 0), 2);
    canvas.fill(0, 0, 2);
    QCOMPARE(canvas.pixels(), expected);
}

QTEST_GUILESS_MAIN(TestGraphX)
#include "test_GraphX.moc"
