#pragma once

#include "ReminderDialog.h"

namespace DORuverud {

// Asks the user to share the program, with the share buttons.
class TellReminderDialog : public ReminderDialog
{
    Q_OBJECT

public:
    explicit TellReminderDialog(QWidget* parent = nullptr);
};

} // namespace DORuverud
