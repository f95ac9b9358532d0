#pragma once

#include <QWidget>

class QPushButton;

namespace DORuverud {

// The drop-down of a ColorWidget: a grid of 48 colour buttons in 6 rows of 8.
// A click on a button emits its colour; the popup hides after a click and when
// the mouse leaves it.
class ColorWidgetPopup : public QWidget
{
    Q_OBJECT

public:
    ColorWidgetPopup(QWidget* parent, Qt::WindowFlags flags);

    // A flat 20 x 20 button showing the colour, wired to the popup; the caller places it.
    QPushButton* createButton(const QColor& colour);
    // True while the mouse is over the popup.
    bool isInAction() const;

signals:
    void colorChanged(QColor colour);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private slots:
    void slotColorChanged();

private:
    bool m_inAction = false;
};

} // namespace DORuverud
