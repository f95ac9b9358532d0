#include "vCardText.h"

#include <algorithm>

namespace vCardText {

namespace {

const QChar quote = QLatin1Char('"');
const QChar backslash = QLatin1Char('\\');

QString unescaped(const QString& text)
{
    QString value;
    value.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != backslash || i + 1 == text.size()) {
            value += c;
            continue;
        }
        const QChar next = text.at(++i);
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

int indexOutsideQuotes(const QString& text, QChar separator)
{
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == quote)
            quoted = !quoted;
        else if (!quoted && text.at(i) == separator)
            return i;
    }
    return -1;
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

QString quotedWhenNeeded(QString value)
{
    value.remove(quote)
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool special = std::any_of(value.cbegin(), value.cend(), [](QChar c) {
        return c == QLatin1Char(';') || c == QLatin1Char(':') || c == QLatin1Char(',');
    });
    return special ? quote + value + quote : value;
}

QStringList readValues(const QString& text)
{
    QStringList values;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == backslash)
            ++i;
        else if (text.at(i) == QLatin1Char(';')) {
            values << unescaped(text.mid(start, i - start));
            start = i + 1;
        }
    }
    return values << unescaped(text.mid(start));
}

QString escaped(const QString& value)
{
    QString text;
    text.reserve(value.size() + value.size() / 8);
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\r')) {
            // CR LF and a lone CR are one line break.
            if (i + 1 == value.size() || value.at(i + 1) != QLatin1Char('\n'))
                text += QLatin1String("\\n");
        } else if (c == QLatin1Char('\n')) {
            text += QLatin1String("\\n");
        } else if (c == backslash || c == QLatin1Char(',') || c == QLatin1Char(';')) {
            text += backslash + QString(c);
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace vCardText
