#include "SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace DAvuroD {

namespace {

// The plugin refuses a picture larger than this either way.
constexpr int largestSide = 0xffff;

} // namespace

SvgPicture::SvgPicture(QIODevice* device, const QByteArray& text)
    : m_renderer(std::make_unique<QSvgRenderer>())
{
    bool loaded = false;
    if (!text.isNull()) {
        loaded = m_renderer->load(text);
    } else {
        // Read from the device, the renderer finds the files it names beside it.
        QXmlStreamReader xml(device);
        loaded = m_renderer->load(&xml);
    }
    if (loaded)
        m_size = m_renderer->defaultSize();
}

SvgPicture::~SvgPicture() = default;

QSize SvgPicture::size() const
{
    return m_size;
}

void SvgPicture::render(QPainter* painter, const QSize& size) const
{
    m_renderer->render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
}

QImage SvgPicture::draw(const QSize& size) const
{
    if (size.isEmpty() || qMax(size.width(), size.height()) > largestSide)
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    render(&painter, size);
    return image;
}

} // namespace DAvuroD
