#include "vCardText.h"

#include <algorithm>

namespace vCardText {

QByteArray upperAscii(QByteArray bytes)
{
    std::transform(bytes.begin(), bytes.end(), bytes.begin(),
        [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return bytes;
}

QString decode(const QByteArray& bytes)
{
    return QString::fromUtf8(
        bytes.constData(), int(qstrnlen(bytes.constData(), uint(bytes.size()))));
}

} // namespace vCardText
