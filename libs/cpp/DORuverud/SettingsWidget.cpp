#include "SettingsWidget.h"

namespace DORuverud {

SettingsWidget::SettingsWidget(QWidget* parent)
    : QWidget(parent)
{
}

void SettingsWidget::slotApply() { }

} // namespace DORuverud
