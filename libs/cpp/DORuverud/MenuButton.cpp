#include "MenuButton.h"

#include <QPainter>

namespace DORuverud {

MenuButton::MenuButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
}

MenuButton::MenuButton(QWidget* parent)
    : QPushButton(parent)
{
}

void MenuButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.setFont(QFont(QStringLiteral("Arial"), 11, QFont::Normal, false));
    painter.setPen(Qt::white);
    const int half = height() / 2;
    painter.drawText(QRect(0, half, width(), half), Qt::AlignCenter, tr("Menu"));
}

} // namespace DORuverud
