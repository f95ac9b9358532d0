#include "G3D.h"
#include "ImageProcess.h"
#include "Math.h"

#include <QtTest>

#include <functional>
#include <queue>

using DAvuroD::G3D;
using ZAruri::Math;
using G = const DAvuroD::GraphX&;
using Drawing = std::function<void(G)>;
Q_DECLARE_METATYPE(Drawing)

namespace {

// An 8-bit surface that records every pixel drawn on it, in order, also
// those that fall outside it.
class Canvas : public DAvuroD::ImageProcess
{
public:
    Canvas(int width, int height)
        : ImageProcess(8, width, height, 0)
    {
    }
    void putPixel(int x, int y, int color) const override
    {
        m_plotted << QPoint(x, y);
        ImageProcess::putPixel(x, y, color);
    }
    // The plotted pixels as "x,y x,y ...", in drawing order or as a set by row, then column.
    QString plotted(bool ordered) const
    {
        QVector<QPoint> points = m_plotted;
        if (!ordered) {
            std::sort(points.begin(), points.end(), [](QPoint a, QPoint b) {
                return qMakePair(a.y(), a.x()) < qMakePair(b.y(), b.x());
            });
            points.erase(std::unique(points.begin(), points.end()), points.end());
        }
        QStringList texts;
        for (const QPoint& p : points)
            texts << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
        return texts.join(' ');
    }
    QVector<int> pixels() const
    {
        QVector<int> all;
        for (int i = 0; i < m_nWidth * m_nHeight; ++i)
            all << getPixel(i % m_nWidth, i / m_nWidth);
        return all;
    }

private:
    mutable QVector<QPoint> m_plotted;
};

// The 4-connected region of the start pixel's colour, filled breadth first.
QVector<int> referenceFill(QVector<int> pixels, int width, QPoint start, int colour)
{
    const int old = pixels[start.y() * width + start.x()];
    std::queue<QPoint> open;
    for (open.push(start); old != colour && !open.empty(); open.pop()) {
        const QPoint p = open.front();
        if (p.x() < 0 || p.y() < 0 || p.x() >= width || p.y() >= pixels.size() / width
            || pixels[p.y() * width + p.x()] != old)
            continue;
        pixels[p.y() * width + p.x()] = colour;
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            open.push(p + step);
    }
    return pixels;
}

// A wire frame whose vertices read back.
class Figure : public G3D
{
public:
    Figure(QVector<float> vertices, QVector<int> edges, float xOffset = 0, float yOffset = 0)
        : G3D(vertices.size() / 3, vertices.data(), edges.size() / 2, edges.data(), 9, 0, xOffset,
            yOffset, 0)
    {
    }
    QVector<float> vertices() const
    {
        QVector<float> all;
        for (int i = 0; i < m_vertices.nrows(); ++i)
            all << m_vertices(i, 0) << m_vertices(i, 1) << m_vertices(i, 2);
        return all;
    }
};

QString numbers(const QVector<float>& values)
{
    QStringList texts;
    for (float value : values)
        texts << QString::number(double(value) + 0.0, 'g', 9); // -0 reads as 0
    return texts.join(' ');
}

// The pixels a vertex (and an edge) projects to, 5000 deeper.
QString projected(QVector<float> vertex, QVector<int> edge = {0, 0}, float xOffset = 0,
    QPoint perspective = {20000, 19950})
{
    Figure figure(vertex, edge, xOffset);
    figure.setPerspective(perspective.x(), perspective.y());
    figure.zVerschieben(5000);
    Canvas canvas(1, 1);
    figure.draw(&canvas);
    figure.setPerspective(20000, 19950);
    return canvas.plotted(true);
}

QString turned(const std::function<void(G3D&)>& turn)
{
    Figure figure({1, 0, 0, 0, 1, 0}, {0, 1});
    turn(figure);
    return numbers(figure.vertices());
}

QTestData& row(bool ordered, const char* name, const Drawing& drawing)
{
    return QTest::newRow(name) << ordered << drawing;
}

Drawing line(int x1, int y1, int x2, int y2)
{
    return [=](G g) { g.line(x1, y1, x2, y2, 1); };
}

} // namespace

// The drawing primitives of the pixel surface, its flood fill, and the wire-frame object.
class TestGraphX : public QObject
{
    Q_OBJECT

private slots:
    void drawings_data()
    {
        QTest::addColumn<bool>("ordered"); // else a set, by row and column
        QTest::addColumn<Drawing>("drawing");
        QTest::addColumn<QString>("pixels");
        row(true, "line east, shallow", line(0, 0, 3, 1)) << "0,0 1,0 2,1 3,1";
        row(true, "line south, steep", line(0, 0, 1, 3)) << "0,0 0,1 1,2 1,3";
        row(true, "line south-west, steep", line(0, 0, -1, 3)) << "0,0 0,1 -1,2 -1,3";
        row(true, "line west, shallow", line(0, 0, -3, 1)) << "-3,1 -2,1 -1,0 0,0";
        row(true, "line west, rising", line(0, 0, -3, -1)) << "-3,-1 -2,-1 -1,0 0,0";
        row(true, "line north, steep", line(0, 0, -1, -3)) << "-1,-3 -1,-2 0,-1 0,0";
        row(true, "line north-east, steep", line(0, 0, 1, -3)) << "1,-3 1,-2 0,-1 0,0";
        row(true, "line east, rising", line(0, 0, 3, -1)) << "0,0 1,0 2,-1 3,-1";
        row(true, "diagonal walks along y", line(0, 0, 3, 3)) << "0,0 1,1 2,2 3,3";
        row(true, "one point", line(5, 5, 5, 5)) << "5,5";
        row(true, "lineH stops before x2", [](G g) { g.lineH(2, 5, 1, 1); }) << "2,1 3,1 4,1";
        row(true, "lineV", [](G g) { g.lineV(1, 3, 4, 1); }) << "4,1 4,2";
        row(true, "rectangle: rows, then columns", [](G g) { g.rect(0, 0, 3, 3, 1); })
            << "0,0 1,0 2,0 0,2 1,2 2,2 0,1 0,2 2,1";
        row(true, "filled rectangle from the bottom row", [](G g) { g.fillRect(1, 1, 2, 2, 1); })
            << "1,2 2,2 1,1 2,1";
        row(true, "circle of radius 0: the centre, eight times", [](G g) { g.circle(0, 0, 0, 1); })
            << "0,0 0,0 0,0 0,0 0,0 0,0 0,0 0,0";
        row(true, "ellipse of radii 0: the centre", [](G g) { g.ellipse(2, 2, 0, 0, 1); }) << "2,2";
        row(true, "zero and negative sizes: nothing", [](G g) {
            g.fillCircle(0, 0, 0, 1);
            g.fillEllipse(2, 2, 0, 0, 1);
            g.rect(0, 0, -3, 3, 1);
            g.fillRect(0, 0, 3, -3, 1);
            g.circle(0, 0, -2, 1);
            g.ellipse(0, 0, -2, 3, 1);
        }) << "";
        row(false, "circle", [](G g) { g.circle(0, 0, 2, 1); })
            << "-1,-2 0,-2 1,-2 -2,-1 2,-1 -2,0 2,0 -2,1 2,1 -1,2 0,2 1,2";
        row(false, "disc", [](G g) { g.fillCircle(0, 0, 2, 1); })
            << "-1,-2 0,-2 -2,-1 -1,-1 0,-1 1,-1 -2,0 -1,0 0,0 1,0 -2,1 -1,1 0,1 1,1 -1,2 0,2";
        row(false, "wide ellipse", [](G g) { g.ellipse(0, 0, 4, 2, 1); })
            << "-2,-2 -1,-2 0,-2 1,-2 2,-2 -4,-1 -3,-1 3,-1 4,-1 -4,0 4,0 -4,1 -3,1 3,1 4,1 -2,2 "
               "-1,2 0,2 1,2 2,2";
        row(false, "tall ellipse", [](G g) { g.ellipse(0, 0, 2, 4, 1); })
            << "-1,-4 0,-4 1,-4 -1,-3 1,-3 -2,-2 2,-2 -2,-1 2,-1 -2,0 2,0 -2,1 2,1 -2,2 2,2 -1,3 "
               "1,3 -1,4 0,4 1,4";
        row(false, "filled wide ellipse", [](G g) { g.fillEllipse(0, 0, 4, 2, 1); })
            << "-2,-2 -1,-2 0,-2 1,-2 -4,-1 -3,-1 -2,-1 -1,-1 0,-1 1,-1 2,-1 3,-1 -4,0 -3,0 -2,0 "
               "-1,0 0,0 1,0 2,0 3,0 -4,1 -3,1 -2,1 -1,1 0,1 1,1 2,1 3,1 -2,2 -1,2 0,2 1,2";
    }
    void drawings()
    {
        QFETCH(bool, ordered);
        QFETCH(Drawing, drawing);
        QFETCH(QString, pixels);
        const Canvas canvas(8, 8);
        drawing(canvas);
        QCOMPARE(canvas.plotted(ordered), pixels);
    }

    void ellipseOfEqualRadiiIsACircle()
    {
        for (int r = 1; r <= 40; ++r) {
            const Canvas circle(1, 1), ellipse(1, 1);
            circle.circle(3, 4, r, 1);
            ellipse.ellipse(3, 4, r, r, 1);
            QCOMPARE(ellipse.plotted(true), circle.plotted(true));
        }
    }

    void fill_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Drawing>("outline");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("colour");
        const QSize small(14, 10);
        const Drawing box = [](G g) { g.rect(2, 2, 9, 7, 1); };
        QTest::newRow("inside a closed rectangle") << small << box << QPoint(5, 5) << 2;
        QTest::newRow("out through a gap") << small << Drawing([](G g) {
            g.rect(2, 2, 9, 7, 1);
            g.putPixel(10, 5, 0);
        }) << QPoint(5, 5) << 2;
        QTest::newRow("outside, to the edges") << small << box << QPoint(0, 0) << 2;
        QTest::newRow("up a corridor one pixel wide") << small << Drawing([](G g) {
            g.fillRect(0, 0, 14, 10, 1);
            g.lineV(1, 9, 6, 0);
            g.lineH(2, 12, 8, 0);
        }) << QPoint(6, 8) << 2;
        QTest::newRow("inside a circle")
            << small << Drawing([](G g) { g.circle(7, 5, 4, 1); }) << QPoint(7, 5) << 3;
        QTest::newRow("the start pixel's own colour changes nothing")
            << small << box << QPoint(5, 5) << 0;
        QTest::newRow("a colour that paints as the old one changes nothing")
            << small << box << QPoint(5, 5) << 256;
        // Walls every other column, open at the bottom and top in turn: one corridor
        // winding deep enough to overflow the call stack of a recursive fill.
        QTest::newRow("winding corridor") << QSize(600, 600) << Drawing([](G g) {
            for (int x = 1; x < 600; x += 2)
                g.lineV(x % 4 == 1 ? 0 : 1, x % 4 == 1 ? 599 : 600, x, 1);
        }) << QPoint(0, 0) << 2;
    }
    void fill()
    {
        QFETCH(QSize, size);
        QFETCH(Drawing, outline);
        QFETCH(QPoint, start);
        QFETCH(int, colour);
        Canvas canvas(size.width(), size.height());
        outline(canvas);
        // The canvas keeps the low byte of a colour.
        const QVector<int> expected
            = referenceFill(canvas.pixels(), size.width(), start, colour & 0xFF);
        canvas.fill(start.x(), start.y(), colour);
        QCOMPARE(canvas.pixels(), expected);
    }

    void figures_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        const QVector<int> self = {0, 0};
        QTest::newRow("at depth 50 unchanged") << projected({100, 50, 50}) << "100,50";
        QTest::newRow("moved by the x offset") << projected({100, 50, 50}, self, 7) << "107,50";
        QTest::newRow("at depth 0 truncated") << projected({10, 0, 0}) << "10,0";
        QTest::newRow("another perspective")
            << projected({10, 20, 0}, self, 0, {300, 100}) << "30,60";
        QTest::newRow("at the eye: not drawn") << projected({10, 20, -19950}) << "";
        QTest::newRow("edge to a missing vertex: not drawn") << projected({1, 2, 0}, {0, 1}) << "";
        // From the unit vectors along x and along y.
        const float c = Math::cos(90), s = Math::sin(90);
        const QString zTurned = numbers({c, s, 0, -s, c, 0});
        QTest::newRow("z by 90") << turned([](G3D& f) { f.zDrehen(90); }) << zTurned;
        QTest::newRow("z by 450 as by 90") << turned([](G3D& f) { f.zDrehen(450); }) << zTurned;
        QTest::newRow("z by -270 as by 90") << turned([](G3D& f) { f.zDrehen(-270); }) << zTurned;
        QTest::newRow("x by 90") << turned([](G3D& f) { f.xDrehen(90); })
                                 << numbers({1, 0, 0, 0, c, -s});
        QTest::newRow("y by 90") << turned([](G3D& f) { f.yDrehen(90); })
                                 << numbers({c, 0, s, 0, 1, 0});
        QTest::newRow("zoom 2, then 0.25") << turned([](G3D& f) {
            f.zoom(2);
            f.zoom(0.25f);
        }) << numbers({0.5f, 0, 0, 0, 0.5f, 0});
    }
    void figures()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void countsLiveObjects()
    {
        auto first = std::make_unique<Figure>(QVector<float>({0, 0, 0}), QVector<int>());
        const int before = first->objectCounter();
        QCOMPARE(Figure({0, 0, 0}, {}).objectCounter(), before + 1);
        QCOMPARE(first->objectCounter(), before);
        first.reset();
        QCOMPARE(Figure({0, 0, 0}, {}).objectCounter(), before);
    }

    void eraseRestoresThePicture()
    {
        const QVector<float> cube = {-40, -40, -40, 40, -40, -40, 40, 40, -40, -40, 40, -40, -40,
            -40, 40, 40, -40, 40, 40, 40, 40, -40, 40, 40};
        Figure figure(
            cube, {0, 1, 1, 2, 2, 3, 3, 0, 4, 5, 5, 6, 6, 7, 7, 4, 0, 4, 1, 5, 2, 6, 3, 7}, 60, 60);
        figure.xDrehen(30);
        figure.yDrehen(20);
        Canvas canvas(120, 120);
        figure.draw(&canvas);
        figure.drawVertex(&canvas);
        QVERIFY(canvas.pixels().count(9) > 200);
        figure.del(&canvas);
        figure.delVertex(&canvas);
        QCOMPARE(canvas.pixels(), QVector<int>(120 * 120, 0));
    }
};

QTEST_GUILESS_MAIN(TestGraphX)
#include "test_GraphX.moc"
