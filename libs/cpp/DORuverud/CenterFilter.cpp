#include "CenterFilter.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QEvent>
#include <QWidget>

namespace DORuverud {

CenterFilter::CenterFilter(QObject* parent)
    : QObject(parent)
{
}

bool CenterFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QWidget* reference = widget->parentWidget();
    if (!reference)
        reference = QApplication::desktop();
    const QPoint target(reference->width() / 2 - widget->width() / 2,
        reference->height() / 2 - widget->height() / 2);
    if (widget->pos() != target)
        widget->move(target);
    return false;
}

} // namespace DORuverud
