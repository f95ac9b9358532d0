#include "Canvas.h"
#include "G3D.h"
#include "Math.h"

#include <QtTest>

using DAvuroD::G3D;
using ZAruri::Math;

namespace {

// Reads the vertices back.
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

} // namespace

// The wire-frame object: projection, rotation, zoom, drawing and erasing.
class TestG3D : public QObject
{
    Q_OBJECT

private slots:
    void projection_data();
    void projection();
    void rotations_data();
    void rotations();
    void zoomScalesVertices();
    void countsLiveObjects();
    void eraseRestoresThePicture();
};

void TestG3D::projection_data()
{
    QTest::addColumn<QVector<float>>("vertex");
    QTest::addColumn<QVector<int>>("edge");
    QTest::addColumn<QPointF>("offset");
    QTest::addColumn<QPoint>("perspective");
    QTest::addColumn<QString>("pixels");
    const QVector<int> self = {0, 0};
    const QPoint standard(20000, 19950);
    QTest::newRow("at depth 50 unchanged")
        << QVector<float>({100, 50, 50}) << self << QPointF() << standard << "100,50";
    QTest::newRow("moved by the x offset")
        << QVector<float>({100, 50, 50}) << self << QPointF(7, 0) << standard << "107,50";
    QTest::newRow("at depth 0 truncated")
        << QVector<float>({10, 0, 0}) << self << QPointF() << standard << "10,0";
    QTest::newRow("another perspective")
        << QVector<float>({10, 20, 0}) << self << QPointF() << QPoint(300, 100) << "30,60";
    QTest::newRow("at the eye: not drawn")
        << QVector<float>({10, 20, -19950}) << self << QPointF() << standard << "";
    QTest::newRow("edge to a missing vertex: not drawn")
        << QVector<float>({1, 2, 0}) << QVector<int>({0, 1}) << QPointF() << standard << "";
}

void TestG3D::projection()
{
    QFETCH(QVector<float>, vertex);
    QFETCH(QVector<int>, edge);
    QFETCH(QPointF, offset);
    QFETCH(QPoint, perspective);
    QFETCH(QString, pixels);
    Figure figure(vertex, edge, float(offset.x()), float(offset.y()));
    figure.setPerspective(perspective.x(), perspective.y());
    figure.zVerschieben(5000);
    Canvas canvas(1, 1);
    figure.draw(&canvas);
    figure.setPerspective(20000, 19950);
    QCOMPARE(canvas.plotted(true), pixels);
}

void TestG3D::rotations_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("degrees");
    QTest::addColumn<QVector<float>>("turned");
    const float c = Math::cos(90), s = Math::sin(90);
    // From the unit vectors along x and along y.
    QTest::newRow("z by 90") << 2 << 90 << QVector<float>({c, s, 0, -s, c, 0});
    QTest::newRow("z by 450 as by 90") << 2 << 450 << QVector<float>({c, s, 0, -s, c, 0});
    QTest::newRow("z by -270 as by 90") << 2 << -270 << QVector<float>({c, s, 0, -s, c, 0});
    QTest::newRow("x by 90") << 0 << 90 << QVector<float>({1, 0, 0, 0, c, -s});
    QTest::newRow("y by 90") << 1 << 90 << QVector<float>({c, 0, s, 0, 1, 0});
    QTest::newRow("by 0") << 1 << 0 << QVector<float>({1, 0, 0, 0, 1, 0});
}

void TestG3D::rotations()
{
    QFETCH(int, axis);
    QFETCH(int, degrees);
    QFETCH(QVector<float>, turned);
    Figure figure({1, 0, 0, 0, 1, 0}, {0, 1});
    const auto turn = axis == 0 ? &G3D::xDrehen : axis == 1 ? &G3D::yDrehen : &G3D::zDrehen;
    (figure.*turn)(degrees);
    QCOMPARE(figure.vertices(), turned);
}

void TestG3D::zoomScalesVertices()
{
    Figure figure({1, -2, 3.5f, 0, 4, -8}, {0, 1});
    figure.zoom(2);
    QCOMPARE(figure.vertices(), QVector<float>({2, -4, 7, 0, 8, -16}));
    figure.zoom(0.5f);
    QCOMPARE(figure.vertices(), QVector<float>({1, -2, 3.5f, 0, 4, -8}));
}

void TestG3D::countsLiveObjects()
{
    auto first = std::make_unique<Figure>(QVector<float>({0, 0, 0}), QVector<int>());
    const int before = first->objectCounter();
    {
        const Figure second({0, 0, 0}, {});
        QCOMPARE(second.objectCounter(), before + 1);
    }
    QCOMPARE(first->objectCounter(), before);
    first.reset();
    QCOMPARE(Figure({0, 0, 0}, {}).objectCounter(), before);
}

void TestG3D::eraseRestoresThePicture()
{
    const QVector<float> cube = {-40, -40, -40, 40, -40, -40, 40, 40, -40, -40, 40, -40, -40, -40,
        40, 40, -40, 40, 40, 40, 40, -40, 40, 40};
    const QVector<int> edges
        = {0, 1, 1, 2, 2, 3, 3, 0, 4, 5, 5, 6, 6, 7, 7, 4, 0, 4, 1, 5, 2, 6, 3, 7};
    Figure figure(cube, edges, 60, 60);
    figure.xDrehen(30);
    figure.yDrehen(20);
    Canvas canvas(120, 120);
    const QVector<int> blank = canvas.pixels();
    figure.draw(&canvas);
    figure.drawVertex(&canvas);
    QVERIFY(canvas.pixels().count(9) > 200);
    figure.del(&canvas);
    figure.delVertex(&canvas);
    QCOMPARE(canvas.pixels(), blank);
}

QTEST_GUILESS_MAIN(TestG3D)
#include "test_G3D.moc"
