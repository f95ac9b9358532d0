#pragma once

#include <QString>

class QByteArray;
class QTextCodec;

// Tells the encoding of a text that names none, and decodes a text whole.
class TextEncoding
{
public:
    TextEncoding() = delete;

    // Decodes the whole of the data with the codec into *text. False when
    // bytes are no text in it (not valid there, or cut short) or when the
    // text holds a control character other than the white space given, the
    // zero among them.
    static bool decode(
        const QByteArray& data, QTextCodec* codec, QLatin1String whiteSpace, QString* text);
    // The data decoded with the codec, U+FFFD standing for each byte that is
    // no text in it and for a character cut short at its end, as browsers
    // show a page; *whole tells whether none did.
    static QString decode(const QByteArray& data, QTextCodec* codec, bool* whole);
    // Whether the text holds a control character other than the white space
    // given, the zero among them.
    static bool holdsControl(const QString& text, QLatin1String whiteSpace);

    // UTF-16 without a byte-order mark, in the byte order its zero bytes show;
    // null when they do not show it beyond doubt.
    static QTextCodec* unmarkedUtf16(const QByteArray& data);
    // UTF-8 where the bytes are valid UTF-8, else the fallback: the encoding
    // of a text that declares none.
    static QTextCodec* utf8Or(const QByteArray& data, QTextCodec* fallback);
};
