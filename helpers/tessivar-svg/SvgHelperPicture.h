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
    // Parses the request's file, or its text.
    explicit SvgHelperPicture(const DAvuroD::SvgRequest& request);
    ~SvgHelperPicture();

    // Why it is not parsed, or an empty text.
    QString refusal() const;
    // The size QImageReader::size() gives; empty when it cannot be drawn.
    QSize size() const;
    // Draws it over the whole image, as QImageReader::read() does at the
    // image's size.
    void draw(QImage& image) const;

private:
    bool load(const DAvuroD::SvgRequest& request);

    std::unique_ptr<QSvgRenderer> m_renderer;
    QString m_refusal;
    QSize m_size;
};
