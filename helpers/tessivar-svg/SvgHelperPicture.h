#pragma once

#include <QSize>
#include <QString>

#include <memory>

class QImage;
class QSvgRenderer;

namespace DAvuroD {
struct SvgRequest;
} // namespace DAvuroD

// An SVG parsed by QSvgRenderer as QImageReader's SVG plugin parses it, and
// drawn as the plugin draws it. Parsing decodes the pictures the SVG embeds
// and reads the files it names: its cost cannot be told beforehand, so that
// only the helper does it.
class SvgHelperPicture
{
public:
    // Parses the request's text.
    explicit SvgHelperPicture(const DAvuroD::SvgRequest& request);
    ~SvgHelperPicture();

    // The size QImageReader::size() gives; empty when it cannot be drawn.
    QSize size() const;
    // Draws it over the whole image, as QImageReader::read() does at the
    // image's size.
    void draw(QImage& image) const;

private:
    std::unique_ptr<QSvgRenderer> m_renderer;
    QSize m_size;
};
