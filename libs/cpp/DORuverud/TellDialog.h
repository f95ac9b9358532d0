#pragma once

#include <QDialog>

namespace DORuverud {

// The share buttons in a dialog of their own.
class TellDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TellDialog(QWidget* parent = nullptr);
};

} // namespace DORuverud
