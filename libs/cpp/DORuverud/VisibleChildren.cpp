#include "VisibleChildren.h"

#include <QWidget>

namespace DORuverud {

void setVisibleChildren(QObject* object, bool visible)
{
    // findChildren() lists depth first, a child before its own children.
    for (QWidget* widget : object->findChildren<QWidget*>())
        widget->setVisible(visible);
}

} // namespace DORuverud
