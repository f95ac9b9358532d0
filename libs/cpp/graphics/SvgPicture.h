#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <memory>

class QIODevice;
class QPainter;
class QSvgRenderer;

namespace DAvuroD {

// An SVG parsed by QSvgRenderer as QImageReader's SVG plugin parses it from
// a device, and drawn as the plugin draws it. Parsing decodes the pictures
// the SVG embeds and reads the files it names.
class SvgPicture
{
public:
    // Parses the text, or where it is null what is left of the device, a
    // file (SvgCost::text()).
    SvgPicture(QIODevice* device, const QByteArray& text);
    ~SvgPicture();

    // The size QImageReader::size() gives; empty when it cannot be drawn.
    QSize size() const;
    // Draws it scaled to fill size.
    void render(QPainter* painter, const QSize& size) const;
    // The picture QImageReader::read() gives at that scaled size.
    QImage draw(const QSize& size) const;

private:
    std::unique_ptr<QSvgRenderer> m_renderer;
    QSize m_size;
};

} // namespace DAvuroD
