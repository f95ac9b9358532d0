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

QTime TimeInfo::usecsToTime(long long usecs)
{
    const long long hour = 3600000000LL;
    const long long h = usecs / hour;
    const long long m = (usecs - h * hour) / 60000000LL;
    const long long s = (usecs % 60000000LL) / 1000000LL;
    return QTime(int(h), int(m), int(s), 0);
}

} // namespace ZAruri
