#pragma once

#include <QIconEngine>

namespace DORuverud {

// The picture of a menu entry, read from its file only when a menu first
// draws it, and then through the pixmap cache, so that the entries of every
// page share one decoded picture.
class AppMenuIconEngine : public QIconEngine
{
public:
    explicit AppMenuIconEngine(const QString& path);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    QIcon loaded() const;

    QString m_path;
};

} // namespace DORuverud
