#pragma once

#include <QPushButton>

namespace DORuverud {

// A checkable button that reports every change of its checked state, by the
// user or by setChecked(), as onClicked() or offClicked().
class CheckButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CheckButton(QWidget* parent = nullptr);

signals:
    void onClicked();
    void offClicked();

private slots:
    void slotClicked(bool checked);
};

} // namespace DORuverud
