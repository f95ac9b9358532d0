#include "CheckButton.h"

namespace DORuverud {

CheckButton::CheckButton(QWidget* parent)
    : QPushButton(parent)
{
    setCheckable(true);
    setChecked(false);
    connect(this, &QPushButton::toggled, this, &CheckButton::slotClicked);
}

void CheckButton::slotClicked(bool checked)
{
    if (checked)
        emit onClicked();
    else
        emit offClicked();
}

} // namespace DORuverud
