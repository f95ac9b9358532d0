#include "UltraRadioBoxPopup.h"

namespace DORuverud {

UltraRadioBoxPopup::UltraRadioBoxPopup(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
}

bool UltraRadioBoxPopup::isInAction() const
{
    return m_bInAction;
}

void UltraRadioBoxPopup::enterEvent(QEvent*)
{
    m_bInAction = true;
}

void UltraRadioBoxPopup::leaveEvent(QEvent*)
{
    m_bInAction = false;
    hide();
}

} // namespace DORuverud
