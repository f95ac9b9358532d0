#include "MetronomeClock.h"

namespace VADirur {

void MetronomeClock::restart(qint64 nowNs, int periodMs)
{
    m_nPeriodNs = qint64(periodMs) * 1000 * 1000;
    m_nNextDueNs = nowNs + m_nPeriodNs;
}

qint64 MetronomeClock::takeBeat(qint64 nowNs)
{
    qint64 due = m_nNextDueNs;
    if (nowNs < due || nowNs - due >= m_nPeriodNs)
        due = nowNs;
    m_nNextDueNs = due + m_nPeriodNs;
    return due + leadNs;
}

} // namespace VADirur
