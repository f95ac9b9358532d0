#pragma once

#include <QPushButton>

namespace DORuverud {

// A button that pops up the application menu.
class AppButton : public QPushButton
{
    Q_OBJECT

public:
    explicit AppButton(QWidget* parent);

signals:
    void quitPressed();
};

} // namespace DORuverud
