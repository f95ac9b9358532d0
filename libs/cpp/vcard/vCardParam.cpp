#include "vCardParam.h"

#include "vCardText.h"

#include <algorithm>
#include <iterator>

namespace {

const QString pattern = QStringLiteral("%1=%2");
// The keywords whose parameters are read into their own groups.
const char* const keywords[] = {"TYPE", "ENCODING", "CHARSET"};

QByteArray keywordText(const char* keyword, const QString& value)
{
    return pattern.arg(QLatin1String(keyword), value).toUtf8();
}

// Whether the text begins as a parameter of the keyword groups is read.
bool startsWithKeyword(const QString& text)
{
    return std::any_of(std::begin(keywords), std::end(keywords), [&text](const char* keyword) {
        return text.startsWith(QLatin1String(keyword), Qt::CaseInsensitive);
    });
}

// The text of a parameter kept whole: KEY=value with the value quoted when
// needed, or the whole text quoted when the key needs it or would read as a
// keyword (read from "ENCOD""ING=B", say).
QString undefinedText(const QString& text)
{
    const int equals = text.indexOf(QLatin1Char('='));
    const QString key = text.left(equals);
    if (equals < 0 || vCardText::quotedWhenNeeded(key) != key || startsWithKeyword(text))
        return vCardText::quotedWhenNeeded(text, startsWithKeyword(text));
    return key + QLatin1Char('=') + vCardText::quotedWhenNeeded(text.mid(equals + 1));
}

// The parameters a piece of parameter text stands for. Quoted values are read
// whole, without their quotes.
QList<vCardParam> readPiece(const QString& piece)
{
    // The prefix and one more character ("=") come off; a bare prefix is kept whole.
    const auto valueAfter = [&piece](const QString& prefix) {
        return piece.size() < prefix.size() + 1 ? piece : piece.mid(prefix.size() + 1);
    };
    const auto startsWith = [&piece](const char* prefix) {
        return piece.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
    };
    QList<vCardParam> params;
    if (startsWith("TYPE")) {
        const QStringList types
            = vCardText::splitOutsideQuotes(valueAfter(QStringLiteral("TYPE")), QLatin1Char(','));
        for (const QString& type : types)
            params.append(vCardParam(vCardText::unquoted(type), vCardParam::Type));
    } else if (startsWith("ENCODING")) {
        params.append(vCardParam(
            vCardText::unquoted(valueAfter(QStringLiteral("ENCODING"))), vCardParam::Encoding));
    } else if (startsWith("CHARSET")) {
        params.append(vCardParam(
            vCardText::unquoted(valueAfter(QStringLiteral("CHARSET"))), vCardParam::Charset));
    } else if (!vCardText::unquoted(piece).trimmed().isEmpty()) {
        // A piece of quotes and white space alone is an empty piece.
        params.append(vCardParam(vCardText::unquoted(piece), vCardParam::Undefined));
    }
    return params;
}

} // namespace

vCardParam::vCardParam() = default;

vCardParam::vCardParam(const QString& value, vCardParamGroup group)
    : m_group(group)
    , m_value(value)
{
}

vCardParam::vCardParamGroup vCardParam::group() const
{
    return m_group;
}

QString vCardParam::value() const
{
    return m_value;
}

bool vCardParam::isValid() const
{
    return !m_value.isEmpty();
}

bool vCardParam::operator==(const vCardParam& other) const
{
    return m_group == other.m_group && m_value == other.m_value;
}

bool vCardParam::operator!=(const vCardParam& other) const
{
    return !(*this == other);
}

QByteArray vCardParam::toByteArray(vCardVersion version) const
{
    if (version != VC21 && version != VC30)
        return QByteArray();
    const QString value = vCardText::quotedWhenNeeded(m_value);
    switch (m_group) {
    case Type:
        // Bare in 2.1, unless it would read as another keyword's.
        return vCardText::upperAscii(version == VC30 || startsWithKeyword(m_value)
                ? keywordText("TYPE", value)
                : value.toUtf8());
    case Encoding:
        return vCardText::upperAscii(keywordText("ENCODING", value));
    case Charset:
        return vCardText::upperAscii(keywordText("CHARSET", value));
    case Undefined:
        break;
    }
    return vCardText::upperAscii(undefinedText(m_value).toUtf8());
}

QByteArray vCardParam::toByteArray(QList<vCardParam> params, vCardVersion version)
{
    if (version != VC21 && version != VC30)
        return QByteArray();
    // Indexed by group: the 2.1 texts of each group in list order, the types
    // as their values.
    QList<QByteArray> texts[4];
    QList<QByteArray> all;
    for (const vCardParam& param : params) {
        const bool known = param.group() >= Type && param.group() <= Undefined;
        all.append(param.toByteArray(VC21));
        texts[known ? param.group() : Undefined].append(param.group() == Type
                ? vCardText::upperAscii(vCardText::quotedWhenNeeded(param.value()).toUtf8())
                : all.last());
    }
    if (version == VC21)
        return all.join(';');
    QList<QByteArray> entries;
    if (!texts[Type].isEmpty())
        entries.append(keywordText("TYPE", QString::fromUtf8(texts[Type].join(','))));
    entries << texts[Undefined] << texts[Charset] << texts[Encoding];
    return vCardText::upperAscii(entries.join(';'));
}

QList<vCardParam> vCardParam::fromByteArray(const QByteArray& text)
{
    QList<vCardParam> params;
    const QStringList pieces
        = vCardText::splitOutsideQuotes(vCardText::decode(text).simplified(), QLatin1Char(';'));
    // White space around a piece is no part of it.
    for (const QString& piece : pieces) {
        if (!piece.trimmed().isEmpty())
            params.append(readPiece(piece.trimmed()));
    }
    return params;
}
