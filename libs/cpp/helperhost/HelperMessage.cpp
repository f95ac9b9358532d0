#include "HelperMessage.h"

qint64 HelperMessage::count(const QByteArray& data, qint64 most)
{
    QDataStream in(data);
    quint32 count = 0;
    in >> count;
    return in.status() == QDataStream::Ok && count <= most ? qint64(count) : -1;
}
