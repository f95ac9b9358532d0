#pragma once

#include <QWidget>

namespace DORuverud {

// The drop-down of an UltraRadioBox; it hides when the mouse leaves it.
class UltraRadioBoxPopup : public QWidget
{
    Q_OBJECT

public:
    UltraRadioBoxPopup(QWidget* parent, Qt::WindowFlags flags);

    // True while the mouse is over the popup.
    bool isInAction() const;

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_bInAction = false;
};

} // namespace DORuverud
