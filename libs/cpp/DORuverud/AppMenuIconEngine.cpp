#include "AppMenuIconEngine.h"

#include <QPixmap>

namespace DORuverud {

AppMenuIconEngine::AppMenuIconEngine(const QString& path)
    : m_path(path)
{
}

void AppMenuIconEngine::paint(
    QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap AppMenuIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return loaded().pixmap(size, mode, state);
}

QSize AppMenuIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return loaded().actualSize(size, mode, state);
}

QIconEngine* AppMenuIconEngine::clone() const
{
    return new AppMenuIconEngine(m_path);
}

// A pixmap made from a file name comes from the pixmap cache when it is there.
QIcon AppMenuIconEngine::loaded() const
{
    return QIcon(QPixmap(m_path));
}

} // namespace DORuverud
