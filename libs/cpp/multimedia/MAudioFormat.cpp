#include "MAudioFormat.h"

namespace DIReridArazi {

int MAudioFormat::codecIDFromString(const QString& codec)
{
    if (codec == QLatin1String("AIFF"))
        return 1;
    if (codec == QLatin1String("MPEG4ACC"))
        return 2;
    if (codec == QLatin1String("CAF"))
        return 3;
    return 0;
}

} // namespace DIReridArazi
