#include "UltraRadioBox.h"

#include "App.h"
#include "Common.h"
#include "UltraRadioBoxPopup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace DORuverud {

UltraRadioBox::UltraRadioBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_MouseTracking);
    m_pPopup = new UltraRadioBoxPopup(this, Qt::ToolTip);
    m_pPopup->hide();
    m_pPopup->setWindowOpacity(0.6);
    m_pPopupLayout = new QVBoxLayout(m_pPopup);
    m_pPopupLayout->setContentsMargins(0, 0, 0, 0);
    m_pPopupLayout->setSpacing(0);
    connect(qApp, &QApplication::focusChanged, this, &UltraRadioBox::slotFocusChanged);
}

void UltraRadioBox::addButton(QAbstractButton* button, const QString& text)
{
    auto* label = new QPushButton;
    label->setText(text);
    m_labels.insert(button, label);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(button);
    row->addWidget(label);
    button->setCheckable(true);
    button->setChecked(false);
    Common::applyPushButtonDetails(label);
    connect(label, &QPushButton::clicked, button, &QAbstractButton::click);
    m_pPopupLayout->addLayout(row);
    setFixedSize(button->size());
    connect(button, &QAbstractButton::clicked, this, &UltraRadioBox::slotButtonClicked);
    m_face = button->grab();
    repaint();
}

void UltraRadioBox::setCurrentButton(QAbstractButton* button)
{
    m_pCurrentButton = button;
    for (QAbstractButton* other : findChildren<QAbstractButton*>()) {
        other->setChecked(false);
        other->show();
        if (QPushButton* label = m_labels.value(other))
            label->show();
    }
    m_hoverPixmap = button->grab();
    button->setChecked(true);
    button->hide();
    m_labels.value(button)->hide();
    m_pPopup->hide();
    m_face = button->grab();
    m_normalPixmap = m_face;
    setToolTip(m_labels.value(button)->text());
    repaint();
}

QAbstractButton* UltraRadioBox::currentButton()
{
    return m_pCurrentButton;
}

void UltraRadioBox::setVisibleButton(QAbstractButton* button, bool visible)
{
    button->setVisible(visible);
    m_labels.value(button)->setVisible(visible);
}

void UltraRadioBox::setOpacity(const float& opacity)
{
    m_pPopup->setWindowOpacity(opacity);
}

void UltraRadioBox::hidePopup()
{
    m_pPopup->hide();
}

void UltraRadioBox::slotButtonClicked()
{
    if (auto* button = qobject_cast<QAbstractButton*>(sender())) {
        setCurrentButton(button);
        emit buttonClicked();
    }
}

void UltraRadioBox::slotFocusChanged(QWidget*, QWidget* pwgtNow)
{
    if (pwgtNow != m_pPopup && pwgtNow != m_pCurrentButton && pwgtNow != this)
        m_pPopup->hide();
}

float UltraRadioBox::popupOpacity()
{
    App* app = App::theApp();
    const QString key = QStringLiteral("TransparencyParameters/UltraRadioPopups");
    const int value = app ? app->settingsValue(key, 35).toInt() : 35;
    return 1.3f - float(value) / 100.0f;
}

void UltraRadioBox::mousePressEvent(QMouseEvent* event)
{
    m_pPopup->move(mapToGlobal(QPoint(0, 0)) + QPoint(0, height()));
    m_pPopup->setVisible(m_pPopup->isHidden());
    m_pPopup->setWindowOpacity(popupOpacity());
    QWidget::mousePressEvent(event);
    emit actionPerformed();
}

void UltraRadioBox::enterEvent(QEvent* event)
{
    if (m_pCurrentButton) {
        m_face = m_hoverPixmap;
        repaint();
    }
    QWidget::enterEvent(event);
}

void UltraRadioBox::leaveEvent(QEvent* event)
{
    if (m_pCurrentButton) {
        m_face = m_normalPixmap;
        repaint();
    }
    QWidget::leaveEvent(event);
}

void UltraRadioBox::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.drawPixmap(QRectF(0, 0, w, h), m_face, QRectF(m_face.rect()));
    painter.translate(w - 10, h - 8);
    painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    const QPoint arrow[] = {QPoint(0, 0), QPoint(8, 0), QPoint(4, 4)};
    painter.drawPolygon(arrow, 3, Qt::OddEvenFill);
}

} // namespace DORuverud
