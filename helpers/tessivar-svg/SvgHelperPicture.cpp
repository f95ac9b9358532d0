#include "SvgHelperPicture.h"

#include "SvgRequest.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

using DAvuroD::SvgRequest;

SvgHelperPicture::SvgHelperPicture(const SvgRequest& request)
    : m_renderer(std::make_unique<QSvgRenderer>())
{
    if (load(request))
        m_size = m_renderer->defaultSize();
}

SvgHelperPicture::~SvgHelperPicture() = default;

QString SvgHelperPicture::refusal() const
{
    return m_refusal;
}

QSize SvgHelperPicture::size() const
{
    return m_size;
}

void SvgHelperPicture::draw(QImage& image) const
{
    image.fill(Qt::transparent);
    QPainter painter(&image);
    m_renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
}

// The plugin parses a file's device, and so finds the files it names beside
// it, but reads a compressed one whole; it parses text whole.
bool SvgHelperPicture::load(const SvgRequest& request)
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
