#include "IconLabel.h"

namespace DORuverud {

IconLabel::IconLabel(QWidget* parent)
    : QLabel(parent)
{
}

void IconLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
}

} // namespace DORuverud
