#pragma once

#include "vCardParam.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QTextCodec;

// The charset a property's values are carried in: the one its first CHARSET
// parameter names, else UTF-8. A charset counts as known when Qt lists it
// (case, punctuation and the zeros that lead a number aside) and has a codec
// for it that leaves printable ASCII, tabs and line breaks as they are, or
// when it is UTF-16 or UTF-32; any other name is unknown.
class vCardCharset
{
public:
    explicit vCardCharset(const QList<vCardParam>& params);

    // Whether the charset is UTF-16 or UTF-32, whose bytes are not ASCII's:
    // its values are decoded whole, and a line carries them only as
    // quoted-printable.
    bool isWide() const;
    // The text of the bytes: in a known charset other than UTF-8 with its
    // codec, else as UTF-8 where the bytes are valid UTF-8 and as Latin-1
    // where they are not; zero bytes are characters like any other. exact
    // tells whether encode() gives the very bytes back.
    QString decode(const QByteArray& bytes, bool* exact) const;
    // The text's bytes in the charset; false when the charset can't carry the
    // text so that it reads back as it is. An unknown charset carries ASCII
    // alone, a wide one nothing unless the values are quoted-printable.
    bool encode(const QString& text, QByteArray* bytes) const;

private:
    QString decodeWide(const QByteArray& bytes) const;
    QByteArray encodeWide(const QString& text) const;

    // The codec of a known charset other than UTF-8; for UTF-16 and UTF-32
    // without a byte order in the name, the big-endian one, which writes a
    // byte-order mark.
    QTextCodec* m_codec = nullptr;
    bool m_unknown = false;
    // For UTF-16 and UTF-32: the other byte order's codec when the name gives
    // none (a byte-order mark tells it), and whether values are
    // quoted-printable.
    bool m_wide = false;
    QTextCodec* m_swapped = nullptr;
    bool m_quotedPrintable = false;
};
