#include "SvgHelperPicture.h"

#include "SvgRequest.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

using DAvuroD::SvgRequest;

// As the plugin parses text, a compressed one inflated; the files it names
// are found in the working folder, which the program filled with them.
SvgHelperPicture::SvgHelperPicture(const SvgRequest& request)
    : m_renderer(std::make_unique<QSvgRenderer>())
{
    if (m_renderer->load(request.text))
        m_size = m_renderer->defaultSize();
}

SvgHelperPicture::~SvgHelperPicture() = default;

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
