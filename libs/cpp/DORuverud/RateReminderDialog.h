#pragma once

#include "ReminderDialog.h"

namespace DORuverud {

// Asks the user to rate the program in the store.
class RateReminderDialog : public ReminderDialog
{
    Q_OBJECT

public:
    explicit RateReminderDialog(QWidget* parent = nullptr);
};

} // namespace DORuverud
