#include "FretPhotoPainter.h"

#include "ArtWriter.h"
#include "ChordFiles.h"
#include "PhotoTools.h"

#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QtConcurrent>
#include <QtMath>
#include <algorithm>

namespace {

const int imageWidth = 360;
const int imageHeight = 480;

enum class Material { Nylon, Steel, Wound, Bass };

struct Look
{
    QColor wood;
    QColor headstock;
    bool paired = false; // courses of two strings
    QVector<double> gauges;
    QVector<Material> materials;
};

Look lookOf(const QString& instrument, int strings)
{
    Look look;
    look.wood = QColor(72, 42, 30);
    look.headstock = QColor(38, 26, 22);
    if (instrument == QLatin1String("ukulele")) {
        look.wood = QColor(112, 72, 46);
        look.headstock = QColor(92, 58, 36);
        look.gauges = {2.2, 3.1, 2.8, 2.3};
        look.materials.fill(Material::Nylon, 4);
    } else if (instrument == QLatin1String("guitar")) {
        look.gauges = {4.4, 3.8, 3.2, 2.6, 1.9, 1.5};
        look.materials = {Material::Wound, Material::Wound, Material::Wound, Material::Wound,
            Material::Steel, Material::Steel};
    } else if (instrument.startsWith(QLatin1String("bass"))) {
        look.wood = QColor(196, 150, 98);
        look.headstock = QColor(30, 30, 32);
        look.gauges = {6.4, 5.4, 4.5, 3.7};
        look.materials.fill(Material::Bass, 4);
    } else if (instrument == QLatin1String("banjo")) {
        look.wood = QColor(44, 32, 28);
        look.gauges = {1.5, 2.4, 2.0, 1.7, 1.5};
        look.materials
            = {Material::Steel, Material::Wound, Material::Steel, Material::Steel, Material::Steel};
    } else if (instrument == QLatin1String("mandolin")) {
        look.paired = true;
        look.gauges = {2.3, 1.8, 1.4, 1.1};
        look.materials = {Material::Wound, Material::Wound, Material::Steel, Material::Steel};
    } else if (instrument == QLatin1String("balalaika")) {
        look.wood = QColor(126, 84, 52);
        look.headstock = QColor(104, 66, 40);
        look.gauges = {2.0, 2.0, 2.3};
        look.materials = {Material::Nylon, Material::Nylon, Material::Steel};
    }
    while (look.gauges.size() < strings) {
        look.gauges << 3.0 - 1.5 * look.gauges.size() / qMax(1, strings);
        look.materials << Material::Steel;
    }
    return look;
}

// The frets shown: from the nut when the chord fits the first five frets,
// else from its lowest pressed fret.
struct Window
{
    int first = 1; // fret space at the top
    int spaces = 5;
    bool nut = true;
};

Window windowOf(const QVector<int>& fingering)
{
    int lowest = 99;
    int highest = 0;
    for (int value : fingering) {
        if (value > 0) {
            lowest = qMin(lowest, value);
            highest = qMax(highest, value);
        }
    }
    Window window;
    if (highest > 5) {
        window.first = lowest;
        window.spaces = qMax(4, highest - lowest + 1);
        window.nut = false;
    }
    return window;
}

class Scene
{
public:
    Scene(const QString& instrument, int strings, const QVector<int>& fingering);
    QImage paint();

private:
    double left(double y) const;
    double right(double y) const;
    double stringX(int string, double y) const;
    double fretY(int fret) const; // the line below fret space `fret`
    QPolygonF neck() const;

    void paintNeck(QPainter* painter);
    void paintFrets(QPainter* painter);
    void paintInlays(QPainter* painter);
    void paintStrings(QPainter* painter);
    void paintString(QPainter* painter, double x0, double y0, double x1, double y1, double gauge,
        Material material);
    int barreFret(int* first) const;
    void paintHands(QPainter* painter);
    void paintMarks(QPainter* painter);

    QString m_instrument;
    int m_strings;
    QVector<int> m_fingering;
    Look m_look;
    Window m_window;
    double m_boardTop;
    QVector<double> m_fretLines;
};

Scene::Scene(const QString& instrument, int strings, const QVector<int>& fingering)
    : m_instrument(instrument)
    , m_strings(strings)
    , m_fingering(fingering)
    , m_look(lookOf(instrument, strings))
    , m_window(windowOf(fingering))
{
    m_boardTop = m_window.nut ? 78 : 64;
    // Fret spaces shrink by the twelfth root of two, as on the instrument.
    QVector<double> lengths;
    double total = 0;
    for (int i = 0; i < m_window.spaces; ++i) {
        lengths << qPow(2.0, -(m_window.first + i) / 12.0);
        total += lengths.last();
    }
    const double available = imageHeight - 24 - m_boardTop;
    double y = m_boardTop;
    m_fretLines << y;
    for (double length : lengths) {
        y += length * available / total;
        m_fretLines << y;
    }
}

double Scene::left(double y) const
{
    return imageWidth * (0.22 - 0.06 * y / imageHeight);
}

double Scene::right(double y) const
{
    return imageWidth * (0.72 + 0.06 * y / imageHeight);
}

double Scene::stringX(int string, double y) const
{
    const double margin = (right(y) - left(y)) * (m_strings > 3 ? 0.09 : 0.16);
    const double usable = right(y) - left(y) - 2 * margin;
    return left(y) + margin + (m_strings > 1 ? usable * string / (m_strings - 1) : usable / 2);
}

double Scene::fretY(int fret) const
{
    return m_fretLines.at(qBound(0, fret - m_window.first + 1, m_fretLines.size() - 1));
}

QPolygonF Scene::neck() const
{
    const double top = m_window.nut ? m_boardTop : -10;
    return QPolygonF({QPointF(left(top), top), QPointF(right(top), top),
        QPointF(right(imageHeight + 10), imageHeight + 10),
        QPointF(left(imageHeight + 10), imageHeight + 10)});
}

void Scene::paintNeck(QPainter* painter)
{
    if (m_window.nut) {
        QPainterPath head;
        head.moveTo(left(m_boardTop) - 6, m_boardTop);
        head.lineTo(left(0) - 16, -10);
        head.lineTo(right(0) + 16, -10);
        head.lineTo(right(m_boardTop) + 6, m_boardTop);
        head.closeSubpath();
        QLinearGradient finish(0, 0, imageWidth, 0);
        finish.setColorAt(0.0, m_look.headstock.darker(160));
        finish.setColorAt(0.45, m_look.headstock.lighter(130));
        finish.setColorAt(1.0, m_look.headstock.darker(170));
        painter->fillPath(head, finish);
    }
    const QPolygonF board = neck();
    QPainterPath path;
    path.addPolygon(board);
    // Shadow of the neck on the backdrop.
    painter->fillPath(path.translated(10, 8), QColor(0, 0, 0, 90));
    QLinearGradient wood(left(240), 0, right(240), 0);
    wood.setColorAt(0.0, m_look.wood.darker(175));
    wood.setColorAt(0.3, m_look.wood.lighter(112));
    wood.setColorAt(0.55, m_look.wood);
    wood.setColorAt(1.0, m_look.wood.darker(190));
    painter->fillPath(path, wood);

    painter->save();
    painter->setClipPath(path);
    PhotoTools::Random random(PhotoTools::seedOf(m_instrument));
    for (int i = 0; i < 70; ++i) {
        const double x = random.range(left(0) - 20, right(imageHeight) + 20);
        const double wave = random.range(2, 9);
        QPainterPath grain;
        grain.moveTo(x, -10);
        for (double y = 30; y < imageHeight + 40; y += 40)
            grain.quadTo(
                x + wave * qSin(y * 0.03 + i), y - 20, x + random.range(-2, 2) + y * 0.02, y);
        const bool dark = random.next() < 0.6;
        painter->setPen(QPen(dark ? QColor(20, 10, 5, int(random.range(20, 55)))
                                  : QColor(255, 220, 180, int(random.range(8, 24))),
            random.range(0.6, 2.2)));
        painter->drawPath(grain);
    }
    painter->restore();
    // Bindings along the edges.
    painter->setPen(QPen(QColor(226, 212, 186, 200), 2.5));
    painter->drawLine(board.at(0) + QPointF(1, 0), board.at(3) + QPointF(1, 0));
    painter->drawLine(board.at(1) - QPointF(1, 0), board.at(2) - QPointF(1, 0));
}

void Scene::paintFrets(QPainter* painter)
{
    for (int i = 0; i < m_fretLines.size(); ++i) {
        const double y = m_fretLines.at(i);
        if (i == 0 && m_window.nut) {
            const QRectF nut(left(y) - 4, y - 12, right(y) - left(y) + 8, 12);
            QLinearGradient bone(nut.topLeft(), nut.bottomLeft());
            bone.setColorAt(0.0, QColor(250, 246, 232));
            bone.setColorAt(1.0, QColor(196, 186, 160));
            painter->fillRect(nut.translated(0, 4), QColor(0, 0, 0, 80));
            painter->fillRect(nut, bone);
            continue;
        }
        const QRectF wire(left(y), y - 2.5, right(y) - left(y), 5);
        painter->fillRect(wire.translated(0, 4), QColor(0, 0, 0, 70));
        QLinearGradient metal(wire.topLeft(), wire.bottomLeft());
        metal.setColorAt(0.0, QColor(120, 118, 112));
        metal.setColorAt(0.35, QColor(248, 246, 238));
        metal.setColorAt(1.0, QColor(96, 92, 86));
        painter->fillRect(wire, metal);
    }
}

void Scene::paintInlays(QPainter* painter)
{
    static const int marked[] = {3, 5, 7, 9, 12, 15, 17, 19};
    for (int fret : marked) {
        if (fret < m_window.first || fret >= m_window.first + m_window.spaces)
            continue;
        const double y = (fretY(fret - 1) + fretY(fret)) / 2;
        const double centre = (left(y) + right(y)) / 2;
        const double width = right(y) - left(y);
        QVector<double> xs = {centre};
        if (fret == 12)
            xs = {centre - width * 0.22, centre + width * 0.22};
        for (double x : xs) {
            QRadialGradient pearl(QPointF(x - 3, y - 3), 11);
            pearl.setColorAt(0.0, QColor(255, 255, 250));
            pearl.setColorAt(0.6, QColor(222, 226, 230));
            pearl.setColorAt(1.0, QColor(170, 176, 190));
            painter->setPen(Qt::NoPen);
            painter->setBrush(pearl);
            painter->drawEllipse(QPointF(x, y), 8, 8);
        }
    }
}

void Scene::paintString(
    QPainter* painter, double x0, double y0, double x1, double y1, double gauge, Material material)
{
    painter->setPen(QPen(QColor(0, 0, 0, 95), gauge + 1.0, Qt::SolidLine, Qt::FlatCap));
    painter->drawLine(QPointF(x0 + 4, y0), QPointF(x1 + 4, y1));
    QColor base;
    switch (material) {
    case Material::Nylon:
        base = QColor(236, 228, 208);
        break;
    case Material::Wound:
        base = QColor(200, 156, 96);
        break;
    case Material::Bass:
        base = QColor(186, 186, 192);
        break;
    case Material::Steel:
        base = QColor(214, 214, 222);
        break;
    }
    painter->setPen(QPen(base.darker(150), gauge, Qt::SolidLine, Qt::FlatCap));
    painter->drawLine(QPointF(x0, y0), QPointF(x1, y1));
    painter->setPen(QPen(base.lighter(118), qMax(0.8, gauge * 0.45), Qt::SolidLine, Qt::FlatCap));
    painter->drawLine(QPointF(x0 - gauge * 0.15, y0), QPointF(x1 - gauge * 0.15, y1));
    if (material == Material::Wound || material == Material::Bass) {
        painter->setPen(QPen(base.darker(170), 0.8));
        for (double y = y0 + 2; y < y1; y += 3.0) {
            const double x = x0 + (x1 - x0) * (y - y0) / (y1 - y0);
            painter->drawLine(QPointF(x - gauge / 2, y), QPointF(x + gauge / 2, y - 1.5));
        }
    }
}

void Scene::paintStrings(QPainter* painter)
{
    const double bottom = imageHeight + 10;
    const bool banjo = m_instrument == QLatin1String("banjo");
    for (int i = 0; i < m_strings; ++i) {
        double top = m_window.nut ? m_boardTop - 12 : -10;
        if (banjo && i == 0 && m_window.first <= 5) {
            // The short drone string starts at its peg by the fifth fret.
            top = (fretY(4) + fretY(5)) / 2;
            painter->setPen(QPen(QColor(80, 60, 40), 1));
            painter->setBrush(QColor(236, 228, 206));
            painter->drawEllipse(QPointF(stringX(0, top) - 2, top), 6, 6);
        }
        const double gauge = m_look.gauges.at(i);
        const Material material = m_look.materials.at(i);
        if (m_look.paired) {
            for (double offset : {-3.2, 3.2})
                paintString(painter, stringX(i, top) + offset, top, stringX(i, bottom) + offset,
                    bottom, gauge, material);
        } else {
            paintString(painter, stringX(i, top), top, stringX(i, bottom), bottom, gauge, material);
        }
    }
}

// The first finger lies across the strings when the lowest fret is held on
// three or more strings with none lower or muted between them.
int Scene::barreFret(int* first) const
{
    int lowest = 99;
    for (int value : m_fingering)
        lowest = value > 0 ? qMin(lowest, value) : lowest;
    const int from = m_fingering.indexOf(lowest);
    const int to = m_fingering.lastIndexOf(lowest);
    if (from < 0 || m_fingering.count(lowest) < 3)
        return 0;
    for (int i = from; i <= to; ++i) {
        if (m_fingering.at(i) < lowest)
            return 0;
    }
    *first = from;
    return lowest;
}

void Scene::paintHands(QPainter* painter)
{
    const double gap = (stringX(1, 300) - stringX(0, 300));
    auto tipY
        = [this](int fret) { return fretY(fret - 1) + (fretY(fret) - fretY(fret - 1)) * 0.62; };
    auto tipWidth = [&](int fret) {
        return qMin(qMin(gap * 1.08, 40.0), (fretY(fret) - fretY(fret - 1)) * 0.8);
    };
    int first = 0;
    const int barre = barreFret(&first);
    if (barre) {
        const double y = tipY(barre);
        const QPointF end(stringX(first, y) - gap * 0.3, y);
        PhotoTools::paintFinger(painter, end, QPointF(imageWidth + 60, y + 24), tipWidth(barre));
        PhotoTools::paintFingertip(painter, end, tipWidth(barre), tipWidth(barre) * 1.1);
    }
    QVector<QPointF> tips;
    QVector<double> widths;
    for (int i = m_strings - 1; i >= 0; --i) {
        const int fret = m_fingering.value(i);
        if (fret <= 0 || fret == barre)
            continue;
        tips << QPointF(stringX(i, tipY(fret)), tipY(fret));
        widths << tipWidth(fret);
    }
    for (int i = 0; i < tips.size(); ++i)
        PhotoTools::paintFinger(painter, tips.at(i), QPointF(imageWidth + 60, tips.at(i).y() + 90),
            widths.at(i) * 0.82);
    for (int i = 0; i < tips.size(); ++i)
        PhotoTools::paintFingertip(painter, tips.at(i), widths.at(i), widths.at(i) * 1.12);
}

void Scene::paintMarks(QPainter* painter)
{
    const double y = m_window.nut ? m_boardTop - 34 : 26;
    for (int i = 0; i < m_strings; ++i) {
        const int fret = m_fingering.value(i);
        if (fret > 0)
            continue;
        const QPointF centre(stringX(i, y), y);
        for (const QColor& colour : {QColor(0, 0, 0, 150), QColor(250, 250, 246)}) {
            const QPointF at = centre + (colour.alpha() < 255 ? QPointF(1.5, 2) : QPointF());
            painter->setPen(QPen(colour, 3.2, Qt::SolidLine, Qt::RoundCap));
            painter->setBrush(Qt::NoBrush);
            if (fret == 0) {
                painter->drawEllipse(at, 8, 8);
            } else {
                painter->drawLine(at + QPointF(-7, -7), at + QPointF(7, 7));
                painter->drawLine(at + QPointF(7, -7), at + QPointF(-7, 7));
            }
        }
    }
    if (!m_window.nut) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(19);
        font.setBold(true);
        painter->setFont(font);
        const double middle = (fretY(m_window.first - 1) + fretY(m_window.first)) / 2;
        const QString label = QString::number(m_window.first) + QStringLiteral(" fr");
        const QRectF box(4, middle - 15, left(middle) - 10, 30);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0, 0, 0, 140));
        painter->drawRoundedRect(box, 8, 8);
        painter->setPen(QColor(250, 246, 236));
        painter->drawText(box, Qt::AlignCenter, label);
    }
}

QImage Scene::paint()
{
    QImage image(imageWidth, imageHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, imageWidth, imageHeight);
    PhotoTools::paintBackdrop(&painter, all,
        PhotoTools::seedOf(m_instrument + VADirur::ChordFiles::fretCode(m_fingering)));
    paintNeck(&painter);
    paintInlays(&painter);
    paintFrets(&painter);
    paintStrings(&painter);
    paintHands(&painter);
    PhotoTools::paintLighting(&painter, all);
    paintMarks(&painter);
    return image;
}

} // namespace

QImage FretPhotoPainter::paint(
    const QString& instrument, int strings, const QVector<int>& fingering)
{
    return Scene(instrument, strings, fingering).paint();
}

void FretPhotoPainter::paintAll(ArtWriter& writer, const QString& instrument, int strings,
    const QList<QVector<int>>& fingerings)
{
    QMap<QString, QVector<int>> distinct;
    for (const QVector<int>& fingering : fingerings)
        distinct.insert(VADirur::ChordFiles::photoName(instrument, fingering), fingering);
    QStringList names = distinct.keys();
    QtConcurrent::blockingMap(names, [&](const QString& name) {
        writer.saveResource(
            VADirur::ChordFiles::resourcePrefix() + VADirur::ChordFiles::pictureFolder() + name,
            paint(instrument, strings, distinct.value(name)), 88);
    });
}
