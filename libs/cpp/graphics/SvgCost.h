#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include <vector>

class QIODevice;
class QXmlStreamReader;

namespace DAvuroD {

// What drawing an SVG costs, read with the XML reader before the SVG renderer
// parses it: the shapes it draws (each element, each letter of a text, a
// <use> counting what it shows again) and the segments of their paths, and
// the pictures its <image> elements embed, which the renderer decodes whole.
// Refused: an SVG larger than maxSourceSize, also once inflated; one of more
// than maxElements elements, or drawn deeper than maxDepth; a <use> that shows
// itself; an <image> that names a file; dashed lines, whose cost grows with
// the length of the line over the length of a dash.
class SvgCost
{
public:
    static constexpr int maxSourceSize = 8 << 20;
    static constexpr int maxElements = 100000;
    static constexpr int maxDepth = 1000;
    // Drawing work at most: see work(). Measured, up to two seconds for large
    // translucent gradients or for one path of long lines crossing the picture.
    static constexpr qint64 maxWork = qint64(1) << 31;

    // Reads the SVG at the device's position, gzip-compressed or not, and
    // leaves the position where it was.
    explicit SvgCost(QIODevice* device);

    // Why the SVG is refused, or an empty text.
    QString refusal() const;
    // The work of drawing it at size: each shape costs the pixels and 8192
    // more (a shape's own cost), each path segment 1024 for each row and
    // column it may cross.
    qint64 work(const QSize& size) const;
    // Why drawing it at size is refused, or an empty text.
    QString workRefusal(const QSize& size) const;
    // The pictures of its <image> elements, in the bytes the renderer decodes.
    QList<QByteArray> pictures() const;

private:
    struct Element;
    struct Scan;

    void read(const QByteArray& source);
    void readElement(const QXmlStreamReader& xml, Scan& scan);
    void embed(const QString& href);
    static QString dashesRefusal();
    static void showUses(Scan& scan);
    void total(const std::vector<Element>& elements);

    QString m_refusal;
    qint64 m_shapes = 0;
    qint64 m_segments = 0;
    QList<QByteArray> m_pictures;
};

} // namespace DAvuroD
