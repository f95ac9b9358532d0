#pragma once

#include <QTime>

namespace ZAruri {

// Spans as clock times. Spans of 24 hours or more and negative spans give
// an invalid QTime; the sub-second part is dropped.
class TimeInfo
{
public:
    TimeInfo() = delete;

    static QTime msecsToTime(long long msecs);
    static QTime usecsToTime(long long usecs);
};

} // namespace ZAruri
