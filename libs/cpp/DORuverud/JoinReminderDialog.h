#pragma once

#include "ReminderDialog.h"

namespace DORuverud {

// Invites the user to follow the maker, with the join buttons.
class JoinReminderDialog : public ReminderDialog
{
    Q_OBJECT

public:
    explicit JoinReminderDialog(QWidget* parent = nullptr);
};

} // namespace DORuverud
