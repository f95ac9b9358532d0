#include "MetronomeBeats.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace VADirur {

namespace {

// A lamp at full size, the gap after it, and the row's margin.
constexpr int lampSide = 50;
constexpr int lampGap = 7;
constexpr int rowMargin = 5;

} // namespace

MetronomeBeats::MetronomeBeats(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("MetronomeBeats"));
    setFixedHeight(lampSide + 2 * rowMargin);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(rowMargin, rowMargin, rowMargin, rowMargin);
    layout->setSpacing(lampGap);
    layout->addStretch(1);
    for (int i = 0; i < 12; ++i) {
        auto* lamp = new QLabel;
        lamp->setObjectName(QStringLiteral("Beat"));
        lamp->setFixedSize(lampSide, lampSide);
        lamp->setAlignment(Qt::AlignCenter);
        lamp->setEnabled(false);
        m_vecBeats.append(lamp);
        layout->addWidget(lamp);
    }
    layout->addStretch(1);
}

void MetronomeBeats::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fitLamps();
}

void MetronomeBeats::fitLamps()
{
    // n lamps and n - 1 gaps, the gaps shrinking with the lamps.
    const int n = std::max(1, m_nCount);
    const int side = std::clamp(
        (width() - 2 * rowMargin) * lampSide / (n * lampSide + (n - 1) * lampGap), 1, lampSide);
    layout()->setSpacing(side * lampGap / lampSide);
    for (QLabel* lamp : qAsConst(m_vecBeats))
        lamp->setFixedSize(side, side);
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
    fitLamps();
}

} // namespace VADirur
