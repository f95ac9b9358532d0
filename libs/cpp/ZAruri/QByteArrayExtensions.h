#pragma once

#include <QByteArray>
#include <QString>

namespace ZAruri {

// Text as UTF-16 big-endian bytes, without a byte-order mark.
class QByteArrayExtensions
{
public:
    QByteArrayExtensions() = delete;

    static QByteArray convertFromQString(QString text);
    // An odd last byte becomes a last character with that byte as its high byte.
    static QString convertToQString(const QByteArray& bytes);
};

} // namespace ZAruri
