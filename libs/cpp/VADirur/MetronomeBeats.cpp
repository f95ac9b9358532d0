#include "MetronomeBeats.h"

#include <QHBoxLayout>
#include <QLabel>

namespace VADirur {

MetronomeBeats::MetronomeBeats(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("MetronomeBeats"));
    setFixedHeight(60);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(7);
    for (int i = 0; i < 12; ++i) {
        auto* lamp = new QLabel;
        lamp->setObjectName(QStringLiteral("Beat"));
        lamp->setFixedSize(50, 50);
        lamp->setAlignment(Qt::AlignCenter);
        lamp->setEnabled(false);
        m_vecBeats.append(lamp);
        layout->addWidget(lamp);
    }
    layout->addStretch(1);
}

void MetronomeBeats::setCurrentBeat(int index)
{
    if (index < 0 || index >= m_vecBeats.size())
        return;
    for (QLabel* lamp : qAsConst(m_vecBeats))
        lamp->setEnabled(false);
    m_vecBeats[index]->setEnabled(true);
}

int MetronomeBeats::count() const
{
    return m_nCount;
}

void MetronomeBeats::slotSetBeats(int n)
{
    if (n > m_vecBeats.size())
        return;
    m_nCount = n;
    for (int i = 0; i < m_vecBeats.size(); ++i)
        m_vecBeats[i]->setVisible(i < n);
}

} // namespace VADirur
