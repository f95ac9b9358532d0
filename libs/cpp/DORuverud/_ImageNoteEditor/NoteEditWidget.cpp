#include "NoteEditWidget.h"

#include "App.h"
#include "Common.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace DORuverud {

NoteEditWidget::NoteEditWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("NoteEditWidget"));
    // A press on the box is the box's, never a press on the picture below.
    setAttribute(Qt::WA_NoMousePropagation);
    App* app = App::theApp();
    app->setSaveDirPath(app->workDirectory());

    m_acceptButton = createButton(QStringLiteral("NoteEditWidgetAccept"), tr("Accept"));
    m_cancelButton = createButton(QStringLiteral("NoteEditWidgetReject"), tr("Cancel"));
    QPushButton* increase = createButton(QStringLiteral("NoteEditWidgetInc"), tr("Increase"));
    QPushButton* decrease = createButton(QStringLiteral("NoteEditWidgetDec"), tr("Decrease"));
    connect(m_acceptButton, &QPushButton::clicked, this, &NoteEditWidget::okClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &NoteEditWidget::cancelClicked);
    connect(increase, &QPushButton::clicked, this, &NoteEditWidget::slotIncrease);
    connect(decrease, &QPushButton::clicked, this, &NoteEditWidget::slotDecrease);

    m_textEdit = new QTextEdit(this);
    m_textEdit->setAttribute(Qt::WA_TranslucentBackground);

    // The buttons stand on a panel of their own: behind the text field shows
    // the widget's own background.
    auto* panel = new QWidget(this);
    panel->setBackgroundRole(QPalette::Button);
    panel->setAutoFillBackground(true);

    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addWidget(m_acceptButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();
    buttons->addWidget(increase);
    buttons->addWidget(decrease);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_textEdit);
    layout->addWidget(panel);
}

QPushButton* NoteEditWidget::createButton(const QString& objectName, const QString& toolTip)
{
    auto* button = new QPushButton(this);
    button->setFlat(true);
    Common::extend(button, objectName, toolTip);
    return button;
}

QTextEdit* NoteEditWidget::textEdit() const
{
    return m_textEdit;
}

qreal NoteEditWidget::fontPointSize() const
{
    return m_textEdit->fontPointSize();
}

void NoteEditWidget::hideAll()
{
    hide();
    m_textEdit->hide();
    m_acceptButton->hide();
    m_cancelButton->hide();
}

void NoteEditWidget::showAll()
{
    show();
    m_textEdit->show();
    m_acceptButton->show();
    m_cancelButton->show();
    m_textEdit->setFocus(Qt::OtherFocusReason);
}

void NoteEditWidget::slotIncrease()
{
    resizeText(5);
}

void NoteEditWidget::slotDecrease()
{
    resizeText(-5);
}

// A font sized in pixels has no point size of its own: the size it shows in counts.
void NoteEditWidget::resizeText(qreal step)
{
    m_textEdit->selectAll();
    const QFont font = m_textEdit->currentFont();
    const qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    m_textEdit->setFontPointSize(qMax(size + step, 1.0));
}

} // namespace DORuverud
