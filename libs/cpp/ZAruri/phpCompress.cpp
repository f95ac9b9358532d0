#include "phpCompress.h"

QByteArray phpCompress(const QByteArray& data)
{
    // qCompress puts the uncompressed length in 4 bytes before the stream.
    return qCompress(data, 9).mid(4);
}
