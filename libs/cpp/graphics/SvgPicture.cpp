#include "SvgPicture.h"

#include "SvgRequest.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace DAvuroD {

SvgPicture::SvgPicture(const SvgRequest& request)
    : m_renderer(std::make_unique<QSvgRenderer>())
{
    if (load(request))
        m_size = m_renderer->defaultSize();
}

SvgPicture::~SvgPicture() = default;

QString SvgPicture::refusal() const
{
    return m_refusal;
}

QSize SvgPicture::size() const
{
    return m_size;
}

void SvgPicture::draw(QImage& image) const
{
    image.fill(Qt::transparent);
    QPainter painter(&image);
    m_renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
}

// The plugin parses a file's device, and so finds the files it names beside
// it, but reads a compressed one whole; it parses text whole.
bool SvgPicture::load(const SvgRequest& request)
{
    if (request.path.isEmpty())
        return m_renderer->load(request.text);
    QFile file(request.path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_refusal = file.errorString();
        return false;
    }
    if (file.size() > SvgRequest::maxSourceSize) {
        m_refusal = SvgRequest::tooLarge();
        return false;
    }
    if (request.format == "svgz")
        return m_renderer->load(file.readAll());
    QXmlStreamReader xml(&file);
    return m_renderer->load(&xml);
}

} // namespace DAvuroD
