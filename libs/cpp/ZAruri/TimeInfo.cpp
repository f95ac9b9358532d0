#include "TimeInfo.h"

namespace ZAruri {

QTime TimeInfo::msecsToTime(long long msecs)
{
    const long long hour = 3600000LL;
    const long long h = msecs / hour;
    const long long m = (msecs - h * hour) / 60000LL;
    const long long s = (msecs % 60000LL) / 1000LL;
    return QTime(int(h), int(m), int(s), 0);
}

// Dropping the sub-millisecond part first changes none of the fields.
QTime TimeInfo::usecsToTime(long long usecs)
{
    return msecsToTime(usecs / 1000);
}

} // namespace ZAruri
