#pragma once

#include <QPushButton>

namespace DORuverud {

// A push button that writes "Menu" in white in the lower half of itself.
class MenuButton : public QPushButton
{
    Q_OBJECT

public:
    explicit MenuButton(const QString& text, QWidget* parent = nullptr);
    explicit MenuButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace DORuverud
