#include "QByteArrayExtensions.h"

#include <QtEndian>

namespace ZAruri {

QByteArray QByteArrayExtensions::convertFromQString(QString text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToBigEndian<quint16>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QString QByteArrayExtensions::convertToQString(const QByteArray& bytes)
{
    const int pairs = bytes.size() / 2;
    const bool odd = bytes.size() % 2;
    QString text(pairs + odd, Qt::Uninitialized);
    qFromBigEndian<quint16>(bytes.constData(), pairs, text.data());
    if (odd)
        text[pairs] = QChar(ushort(uchar(bytes.back()) << 8));
    return text;
}

} // namespace ZAruri
