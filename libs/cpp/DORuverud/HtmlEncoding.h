#pragma once

#include <QByteArray>

class QTextCodec;

// The encoding a browser reads an HTML page in when nothing but its bytes
// tells: the byte-order mark, else the charset its <meta> elements within the
// first 1,024 bytes declare (by the HTML standard's prescan and the encoding
// standard's labels), else UTF-8 where the bytes are that, else windows-1252.
// As browsers do, a page labelled UTF-16 without a UTF-16 byte-order mark is
// read as UTF-8, and one labelled ISO-8859-1 or US-ASCII as windows-1252. A
// UTF-32 byte-order mark, which browsers ignore, still names UTF-32.
class HtmlEncoding
{
public:
    HtmlEncoding() = delete;

    // A page declaring an encoding that browsers read as the replacement
    // encoding (ISO-2022-KR, HZ and others) is read with Qt's codec for it;
    // null where Qt has none.
    static QTextCodec* of(const QByteArray& page);
};
