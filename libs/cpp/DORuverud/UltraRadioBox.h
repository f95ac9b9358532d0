#pragma once

#include <QMap>
#include <QPixmap>
#include <QWidget>

class QAbstractButton;
class QPushButton;
class QVBoxLayout;

namespace DORuverud {

class UltraRadioBoxPopup;

// A compact selector: it shows a picture of the chosen button with a small
// drop-down arrow; a press opens a popup listing the other choices, each a
// button with a flat push button as its label.
class UltraRadioBox : public QWidget
{
    Q_OBJECT

public:
    explicit UltraRadioBox(QWidget* parent = nullptr);

    // The button and its label become children of the popup.
    void addButton(QAbstractButton* button, const QString& text);
    // Makes an added button the choice without emitting anything.
    void setCurrentButton(QAbstractButton* button);
    // Null until the first choice.
    QAbstractButton* currentButton();
    // Shows or hides an added button and its label in the popup.
    void setVisibleButton(QAbstractButton* button, bool visible);
    void setOpacity(const float& opacity);
    void hidePopup();

signals:
    // The user chose a button in the popup; it is current by now.
    void buttonClicked();
    // At the end of every mouse press on the box.
    void actionPerformed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private slots:
    void slotButtonClicked();
    void slotFocusChanged(QWidget* pwgtOld, QWidget* pwgtNow);

private:
    // Window opacity of the popup from the transparency setting.
    static float popupOpacity();

    QVBoxLayout* m_pPopupLayout;
    UltraRadioBoxPopup* m_pPopup;
    QPixmap m_face;
    QMap<QAbstractButton*, QPushButton*> m_labels;
    QAbstractButton* m_pCurrentButton = nullptr;
    QPixmap m_normalPixmap;
    QPixmap m_hoverPixmap;
};

} // namespace DORuverud
