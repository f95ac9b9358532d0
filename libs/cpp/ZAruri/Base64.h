#pragma once

#include <QByteArray>
#include <QString>

namespace ZAruri {

// Base64 (RFC 4648 alphabet, "=" padding, no line breaks) of UTF-16BE text or
// of plain bytes. The decoders skip characters outside the alphabet.
class Base64
{
public:
    Base64() = delete;

    static QString codeQString(const QString& text);
    static QString decodeQString(const QString& text);
    static QString codeQByteArray(const QByteArray& bytes);
    static QByteArray decodeQByteArray(const QString& text);
};

} // namespace ZAruri
