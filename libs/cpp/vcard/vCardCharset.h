#pragma once

#include "vCardParam.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QTextCodec;

// The charset a property's values are carried in: the one its first CHARSET
// parameter names, else UTF-8. A charset counts as known when Qt lists it
// (case, punctuation and the zeros that lead a number aside) and has a codec
// for it that leaves printable ASCII, tabs and line breaks as they are; any
// other name is unknown.
class vCardCharset
{
public:
    explicit vCardCharset(const QList<vCardParam>& params);

    // The text of the bytes: in a known charset other than UTF-8 with its
    // codec, else as UTF-8 where the bytes are valid UTF-8 and as Latin-1
    // where they are not. exact tells whether encode() gives the very bytes
    // back.
    QString decode(const QByteArray& bytes, bool* exact) const;
    // The text's bytes in the charset; false when the charset can't carry the
    // text so that it reads back as it is. An unknown charset carries ASCII alone.
    bool encode(const QString& text, QByteArray* bytes) const;

private:
    // The codec of a known charset other than UTF-8.
    QTextCodec* m_codec = nullptr;
    bool m_unknown = false;
};
