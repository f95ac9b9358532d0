#pragma once

#include <QDialog>

namespace DORuverud {

// The join buttons in a dialog of their own.
class JoinDialog : public QDialog
{
    Q_OBJECT

public:
    explicit JoinDialog(QWidget* parent = nullptr);
};

} // namespace DORuverud
