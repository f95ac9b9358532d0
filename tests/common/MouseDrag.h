#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Mouse events sent straight to a widget, the left button held from the
// press to the release.
namespace MouseDrag {

inline void send(QWidget* widget, QEvent::Type type, const QPoint& at,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButtons held
        = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(
        type, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

// Press, two moves and the release, with the modifiers at the release.
inline void drag(QWidget* widget, const QPoint& from, const QPoint& to,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    send(widget, QEvent::MouseButtonPress, from);
    send(widget, QEvent::MouseMove, (from + to) / 2);
    send(widget, QEvent::MouseMove, to);
    send(widget, QEvent::MouseButtonRelease, to, modifiers);
}

} // namespace MouseDrag
