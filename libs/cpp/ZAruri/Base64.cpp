#include "Base64.h"

#include "QByteArrayExtensions.h"

namespace ZAruri {

QString Base64::codeQString(const QString& text)
{
    return codeQByteArray(QByteArrayExtensions::convertFromQString(text));
}

QString Base64::decodeQString(const QString& text)
{
    return QByteArrayExtensions::convertToQString(decodeQByteArray(text));
}

QString Base64::codeQByteArray(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

QByteArray Base64::decodeQByteArray(const QString& text)
{
    return QByteArray::fromBase64(text.toLatin1());
}

} // namespace ZAruri
