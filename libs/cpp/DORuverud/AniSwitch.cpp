#include "AniSwitch.h"

#include "CheckButton.h"
#include "Common.h"

#include <QHBoxLayout>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSignalTransition>
#include <QState>
#include <QStateMachine>

namespace DORuverud {

AniSwitch::AniSwitch(QWidget* parent)
    : QWidget(parent)
{
}

void AniSwitch::init(bool showIcon, bool on)
{
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    m_pIconButton = new CheckButton(this);
    m_pIconButton->setFixedSize(height(), height());
    m_pIconButton->setFlat(true);
    Common::extend(m_pIconButton, QStringLiteral("AniSwitchIcon"), QString());
    connect(m_pIconButton, &CheckButton::toggled, this, &AniSwitch::toggled);
    buildArea();
    buildHandle(showIcon);
    buildStateMachine(on);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pIconButton);
    layout->addWidget(m_pArea);
}

// The track: "AniSwitchOnArea" shows at the left while on, "AniSwitchOffArea"
// at the right while off; the handle covers the other one.
void AniSwitch::buildArea()
{
    m_pArea = new QWidget(this);
    auto* onArea = new QPushButton(m_pArea);
    Common::extend(onArea, QStringLiteral("AniSwitchOnArea"), QString());
    connect(onArea, &QPushButton::clicked, this, &AniSwitch::slotSetOff);
    auto* offArea = new QPushButton(m_pArea);
    Common::extend(offArea, QStringLiteral("AniSwitchOffArea"), QString());
    connect(offArea, &QPushButton::clicked, this, &AniSwitch::slotSetOn);
    auto* layout = new QHBoxLayout(m_pArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(onArea);
    layout->addStretch(1);
    layout->addWidget(offArea);
}

void AniSwitch::buildHandle(bool showIcon)
{
    const int w = width();
    const int h = height();
    m_pHandle = new QPushButton(m_pArea);
    m_pHandle->setAutoFillBackground(true);
    m_pHandle->setFlat(true);
    if (showIcon) {
        m_pHandle->setFixedSize(w / 2 - h / 2, h);
    } else {
        m_pIconButton->hide();
        m_pHandle->setFixedSize(w / 2, h);
    }
    m_pHandle->show();
    m_pHandle->raise();
    Common::extend(m_pHandle, QStringLiteral("AniSwitchHandler"), QString());
}

void AniSwitch::buildStateMachine(bool on)
{
    m_pStateMachine = new QStateMachine(this);
    auto* offState = new QState(m_pStateMachine);
    offState->assignProperty(m_pHandle, "pos", QPoint(0, 0));
    offState->assignProperty(m_pIconButton, "checked", false);
    auto* onState = new QState(m_pStateMachine);
    onState->assignProperty(m_pHandle, "pos", QPoint(m_pHandle->width(), 0));
    onState->assignProperty(m_pIconButton, "checked", true);
    m_pStateMachine->setInitialState(on ? onState : offState);

    auto* toOn = new QPropertyAnimation(m_pHandle, "pos", m_pStateMachine);
    auto* toOff = new QPropertyAnimation(m_pHandle, "pos", m_pStateMachine);
    for (QPropertyAnimation* animation : {toOn, toOff})
        animation->setDuration(400);
    offState->addTransition(m_pHandle, &QPushButton::clicked, onState)->addAnimation(toOn);
    onState->addTransition(m_pHandle, &QPushButton::clicked, offState)->addAnimation(toOff);
    offState->addTransition(m_pIconButton, &CheckButton::onClicked, onState)->addAnimation(toOn);
    onState->addTransition(m_pIconButton, &CheckButton::offClicked, offState)->addAnimation(toOff);
    m_pStateMachine->start();
}

bool AniSwitch::isChecked() const
{
    return m_pIconButton && m_pIconButton->isChecked();
}

void AniSwitch::setOn(bool on)
{
    if (m_pIconButton)
        m_pIconButton->setChecked(on);
}

void AniSwitch::slotSetOn()
{
    setOn(true);
}

void AniSwitch::slotSetOff()
{
    setOn(false);
}

} // namespace DORuverud
