#include "ComboProgress.h"

#include "Common.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace DORuverud {

ComboProgress::ComboProgress(QWidget* parent)
    : QWidget(parent)
    , m_pProgressBar(new QProgressBar)
    , m_pStopButton(new QPushButton)
    , m_pLabel(new QLabel)
{
    Common::extend(m_pStopButton, QStringLiteral("ComboProgressStop"), tr("Stop"));
    m_pStopButton->setFixedSize(20, 20);
    m_pStopButton->setFlat(true);
    connect(m_pStopButton, &QPushButton::clicked, this, &ComboProgress::slotStopPressed);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pProgressBar);
    layout->addWidget(m_pStopButton);
    layout->addWidget(m_pLabel);
    setLabelMode(true);
}

QLabel* ComboProgress::label()
{
    return m_pLabel;
}

void ComboProgress::setLabelMode(bool on)
{
    m_pLabel->setVisible(on);
    m_pProgressBar->setVisible(!on);
    m_pStopButton->setVisible(!on);
}

int ComboProgress::progress() const
{
    return m_pProgressBar->value();
}

bool ComboProgress::isStopped() const
{
    return m_bStopped;
}

void ComboProgress::slotSetProgress(int value)
{
    if (value >= 100) {
        setLabelMode(true);
        return;
    }
    if (m_pLabel->isVisible())
        setLabelMode(false);
    m_bStopped = false;
    m_pProgressBar->setValue(value);
}

void ComboProgress::slotStopPressed()
{
    m_bStopped = true;
    if (!m_pLabel->isVisible())
        setLabelMode(true);
}

} // namespace DORuverud
