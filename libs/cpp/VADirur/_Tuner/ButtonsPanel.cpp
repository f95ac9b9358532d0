#include "ButtonsPanel.h"

#include "App.h"
#include "Trace.h"
#include "TuneButton.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QTimer>

namespace VADirur {

namespace {

const int buttonCount = 10;
const int initialSide = 46;
// Between the buttons and above and below them; none at the sides, so that
// six buttons of a 6.5th of the width fit down to the narrowest page.
const int gap = 4;
const int narrowest = 300;

} // namespace

ButtonsPanel::ButtonsPanel(QWidget* parent)
    : QFrame(parent)
    , m_pRepeatTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("TuneButtonsPanel"));
    m_pRepeatTimer->setInterval(1000);
    connect(m_pRepeatTimer, &QTimer::timeout, this, &ButtonsPanel::slotTimeOut);

    // The buttons follow the panel's width (resizeEvent), so their sizes
    // must not hold the panel wide.
    setMinimumWidth(narrowest);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, gap, 0, gap);
    layout->setSpacing(gap);
    layout->addStretch(1);
    for (int index = 0; index < buttonCount; ++index) {
        auto* button = new TuneButton(this);
        button->setObjectName(QStringLiteral("TuneButton"));
        button->setFlat(true);
        button->hide();
        button->setFixedSize(initialSide, initialSide);
        m_buttons.insert(index, button);
        connect(button, &QPushButton::clicked, this, &ButtonsPanel::slotClicked);
        layout->addWidget(button);
    }
    layout->addStretch(1);

    const bool repeat
        = DORuverud::App::theApp()->settingsValue(QStringLiteral("Repeat"), false).toBool();
    qCDebug(ZAruri::lcTrace) << "!!!RepeatMode:" << repeat;
    slotSetRepeatMode(repeat);
}

TuneButton* ButtonsPanel::button(int index) const
{
    return m_buttons.value(index, nullptr);
}

void ButtonsPanel::slotSetRepeatMode(bool on)
{
    m_bRepeatMode = on;
    // A change of the checkable state also clears the checked one.
    for (TuneButton* button : qAsConst(m_buttons)) {
        button->setCheckable(on);
        button->repaint();
    }
    if (on)
        m_pRepeatTimer->start();
    else
        m_pRepeatTimer->stop();
}

void ButtonsPanel::slotClicked(bool checked)
{
    if (!m_bRepeatMode)
        return;
    for (TuneButton* button : qAsConst(m_buttons))
        button->setChecked(false);
    if (auto* clicked = qobject_cast<TuneButton*>(sender()))
        clicked->setChecked(checked);
}

void ButtonsPanel::slotTimeOut()
{
    for (TuneButton* button : qAsConst(m_buttons)) {
        if (button->isChecked()) {
            button->sendPlay();
            return;
        }
    }
}

void ButtonsPanel::resizeEvent(QResizeEvent* event)
{
    const int side = static_cast<int>(static_cast<float>(event->size().width()) / 6.5f);
    for (TuneButton* button : qAsConst(m_buttons))
        button->setFixedSize(side, side);
    QFrame::resizeEvent(event);
}

} // namespace VADirur
