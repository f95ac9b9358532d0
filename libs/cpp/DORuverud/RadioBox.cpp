#include "RadioBox.h"

#include <QAbstractButton>
#include <QPalette>

namespace DORuverud {

RadioBox::RadioBox(QBoxLayout::Direction direction, QWidget* parent)
    : QWidget(parent)
    , m_pLayout(new QBoxLayout(direction, this))
{
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pLayout->setSpacing(0);
    QPalette palette;
    palette.setBrush(backgroundRole(), QBrush(Qt::green, Qt::SolidPattern));
    setPalette(palette);
}

void RadioBox::addButton(QAbstractButton* button)
{
    button->setCheckable(true);
    m_pLayout->addWidget(button);
    connect(button, &QAbstractButton::clicked, this, &RadioBox::slotButtonClicked);
}

void RadioBox::slotButtonClicked()
{
    auto* clicked = qobject_cast<QAbstractButton*>(sender());
    if (!clicked)
        return;
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        button->setChecked(false);
    clicked->setChecked(true);
}

} // namespace DORuverud
