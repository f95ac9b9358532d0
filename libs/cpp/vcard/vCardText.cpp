#include "vCardText.h"

#include <algorithm>

namespace vCardText {

namespace {

const QChar quote = QLatin1Char('"');
const QChar backslash = QLatin1Char('\\');
const char hexDigits[] = "0123456789ABCDEF";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The byte that the quoted-printable code at i ("=" and two hex digits)
// stands for, or -1 where none begins.
int codeAt(const QByteArray& encoded, int i)
{
    if (encoded.at(i) != '=' || i + 2 >= encoded.size())
        return -1;
    const int high = hexValue(encoded.at(i + 1));
    const int low = hexValue(encoded.at(i + 2));
    return high < 0 || low < 0 ? -1 : high << 4 | low;
}

// Printable ASCII that quoted-printable text may hold as it is.
bool plainInQuotedPrintable(char c)
{
    return c >= ' ' && c <= '~' && c != '=' && c != '\\';
}

// The value unescaped, a bit added to separators for each of its commas.
QString unescaped(const QString& text, QBitArray* separators)
{
    // Shared as it is when there is nothing to unescape: a card holds many short values.
    if (!text.contains(backslash)) {
        appendBits(separators, text.count(QLatin1Char(',')), true);
        return text.isEmpty() ? QString() : text;
    }
    QString value;
    value.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(','))
            appendBits(separators, 1, true);
        if (c != backslash || i + 1 == text.size()) {
            value += c;
            continue;
        }
        const QChar next = text.at(++i);
        if (next == QLatin1Char(','))
            appendBits(separators, 1, false);
        if (next == QLatin1Char('n') || next == QLatin1Char('N'))
            value += QLatin1Char('\n');
        else if (next == QLatin1Char(',') || next == QLatin1Char(';') || next == backslash)
            value += next;
        else
            value += c + QString(next);
    }
    return value;
}

} // namespace

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

bool isFrameLine(const QByteArray& line)
{
    const QByteArray trimmed
        = line.left(int(qstrnlen(line.constData(), uint(line.size())))).trimmed();
    return trimmed == "BEGIN:VCARD" || trimmed == "END:VCARD";
}

QStringList splitOutsideQuotes(const QString& text, QChar separator)
{
    QStringList pieces;
    bool quoted = false;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == quote) {
            quoted = !quoted;
        } else if (!quoted && text.at(i) == separator) {
            pieces << text.mid(start, i - start);
            start = i + 1;
        }
    }
    return pieces << text.mid(start);
}

QString unquoted(QString text)
{
    return text.remove(quote);
}

QString quotedWhenNeeded(QString value, bool always)
{
    value.remove(quote)
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool special = always || std::any_of(value.cbegin(), value.cend(), [](QChar c) {
        return c == QLatin1Char(';') || c == QLatin1Char(':') || c == QLatin1Char(',');
    });
    return special ? quote + value + quote : value;
}

int headEnd(const QByteArray& line)
{
    const int colon = line.indexOf(':');
    const int params = line.indexOf(';');
    if (params < 0 || colon < params)
        return colon;
    bool quoted = false;
    for (int i = params; i < line.size(); ++i) {
        if (line.at(i) == '"')
            quoted = !quoted;
        else if (!quoted && line.at(i) == ':')
            return i;
    }
    return colon;
}

bool isQuotedPrintable(const QList<vCardParam>& params)
{
    return std::any_of(params.cbegin(), params.cend(), [](const vCardParam& param) {
        return param.group() != vCardParam::Charset
            && param.value().trimmed().compare(
                   QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive)
            == 0;
    });
}

void appendBits(QBitArray* bits, int count, bool set)
{
    if (count <= 0)
        return;
    const int size = bits->size();
    bits->resize(size + count);
    if (set)
        bits->fill(true, size, size + count);
}

QStringList readValues(const QString& text, QBitArray* separators)
{
    QStringList values;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == backslash)
            ++i;
        else if (text.at(i) == QLatin1Char(';')) {
            values << unescaped(text.mid(start, i - start), separators);
            start = i + 1;
        }
    }
    return values << unescaped(text.mid(start), separators);
}

QString escaped(const QString& value, vCardVersion version, const QBitArray& separators, int* comma)
{
    QString text;
    text.reserve(value.size() + value.size() / 8);
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        const bool lineBreak = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        if (lineBreak && version == VC30) {
            // CR LF and a lone CR are one line break.
            if (c == QLatin1Char('\n') || i + 1 == value.size()
                || value.at(i + 1) != QLatin1Char('\n'))
                text += QLatin1String("\\n");
        } else if (c == QLatin1Char(',')) {
            const int bit = (*comma)++;
            const bool separates = separators.isEmpty()
                ? version == VC21
                : bit < separators.size() && separators.testBit(bit);
            if (!separates)
                text += backslash;
            text += c;
        } else if (c == backslash || c == QLatin1Char(';')) {
            text += backslash;
            text += c;
        } else {
            text += c;
        }
    }
    return text;
}

bool needsQuotedPrintable(const QString& value)
{
    return std::any_of(value.cbegin(), value.cend(),
        [](QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == backslash; });
}

QString toQuotedPrintable(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (int i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        const bool last = i + 1 == bytes.size();
        if (plainInQuotedPrintable(c) && !(last && c == ' ')) {
            text += QLatin1Char(c);
        } else {
            const auto byte = uchar(c);
            text += QLatin1Char('=');
            text += QLatin1Char(hexDigits[byte >> 4]);
            text += QLatin1Char(hexDigits[byte & 15]);
        }
    }
    return text;
}

QByteArray fromQuotedPrintable(const QByteArray& encoded)
{
    // Past the last byte that is not white space, an "=" is a soft line break.
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    int end = encoded.size();
    while (end > 0 && blank(encoded.at(end - 1)))
        --end;
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (int i = 0; i < encoded.size(); ++i) {
        const int code = codeAt(encoded, i);
        if (code >= 0) {
            bytes += char(code);
            i += 2;
        } else if (encoded.at(i) == '=' && i + 1 >= end) {
            break;
        } else {
            bytes += encoded.at(i);
        }
    }
    return bytes;
}

void decodedCommas(
    const QByteArray& encoded, const QBitArray& separators, int* comma, QBitArray* decoded)
{
    for (int i = 0; i < encoded.size(); ++i) {
        const int code = codeAt(encoded, i);
        if (code >= 0) {
            appendBits(decoded, code == ',' ? 1 : 0, false);
            i += 2;
        } else if (encoded.at(i) == ',') {
            const int bit = (*comma)++;
            appendBits(decoded, 1, bit < separators.size() && separators.testBit(bit));
        }
    }
}

} // namespace vCardText
