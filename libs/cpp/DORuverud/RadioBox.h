#pragma once

#include <QBoxLayout>
#include <QWidget>

class QAbstractButton;

namespace DORuverud {

// Buttons in a row or column of which exactly the last clicked one is
// checked. Listen to the buttons themselves.
class RadioBox : public QWidget
{
    Q_OBJECT

public:
    RadioBox(QBoxLayout::Direction direction, QWidget* parent = nullptr);

    // Makes the button checkable and places it at the end.
    void addButton(QAbstractButton* button);

private slots:
    // Unchecks every button inside the box, at any depth, then checks the sender.
    void slotButtonClicked();

private:
    QBoxLayout* m_pLayout;
};

} // namespace DORuverud
