#include "HelpDialog.h"

#include "App.h"
#include "Common.h"
#include "HelpViewArea.h"

#include <QBoxLayout>
#include <QPushButton>

namespace DORuverud {

namespace {

QString neverShowKey()
{
    return QStringLiteral("NeverShowItAgain");
}

} // namespace

HelpDialog::HelpDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::applicationName() + tr(" Introduction"));
    setObjectName(QStringLiteral("Dialog"));

    auto* close = new QPushButton(tr("&Close"));
    m_neverShowButton = new QPushButton(tr("&Never show on start"));
    Common::applyPushButtonDetails(close);
    Common::applyPushButtonDetails(m_neverShowButton);
    connect(close, &QPushButton::clicked, this, &HelpDialog::slotReject);
    connect(m_neverShowButton, &QPushButton::clicked, this, &HelpDialog::slotNeverShowItAgain);

    m_viewArea = new HelpViewArea;

    QBoxLayout* buttonRow = App::theApp()->isPocketDevice()
        ? static_cast<QBoxLayout*>(new QVBoxLayout)
        : new QHBoxLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setSpacing(5);
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_neverShowButton);
    buttonRow->addWidget(close);

    auto* mainLayout = new QVBoxLayout;
    mainLayout->setContentsMargins(6, 6, 6, 6);
    mainLayout->setSpacing(6);
    mainLayout->addWidget(m_viewArea);
    mainLayout->addLayout(buttonRow);
    setLayout(mainLayout);

    close->setFocus(Qt::OtherFocusReason);
}

void HelpDialog::addSlide(const QString& path)
{
    m_viewArea->addSlide(path);
}

bool HelpDialog::isShowOnStartAvailable()
{
    return !App::theApp()->settingsValue(neverShowKey(), false).toBool();
}

void HelpDialog::slotReject()
{
    reject();
}

void HelpDialog::slotNeverShowItAgain()
{
    App::theApp()->setSettingsValue(neverShowKey(), true);
    accept();
}

void HelpDialog::showEvent(QShowEvent* event)
{
    m_neverShowButton->setVisible(isShowOnStartAvailable());
    m_viewArea->slotStartSlideShow();
    QDialog::showEvent(event);
}

void HelpDialog::hideEvent(QHideEvent* event)
{
    m_viewArea->slotStopSlideShow();
    QWidget::hideEvent(event);
}

} // namespace DORuverud
