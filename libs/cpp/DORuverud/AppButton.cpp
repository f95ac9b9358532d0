#include "AppButton.h"

#include "AppMenu.h"

namespace DORuverud {

AppButton::AppButton(QWidget* parent)
    : QPushButton(parent)
{
    AppMenu* menu = new AppMenu(this);
    setMenu(menu);
    connect(menu, &AppMenu::quitPressed, this, &AppButton::quitPressed);
}

} // namespace DORuverud
