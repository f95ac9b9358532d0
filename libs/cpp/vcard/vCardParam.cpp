#include "vCardParam.h"

#include "vCardText.h"

namespace {

const QString pattern = QStringLiteral("%1=%2");
// The keywords whose parameters are read into their own groups, by group.
const char* const keywords[] = {"TYPE", "ENCODING", "CHARSET"};

QByteArray keywordText(vCardParam::vCardParamGroup group, const QString& value)
{
    return pattern.arg(QLatin1String(keywords[group]), value).toUtf8();
}

// The group of the keyword the text begins with, as parameters are read;
// Undefined when it begins with none.
vCardParam::vCardParamGroup keywordGroup(const QString& text)
{
    for (int group = vCardParam::Type; group < vCardParam::Undefined; ++group) {
        if (text.startsWith(QLatin1String(keywords[group]), Qt::CaseInsensitive))
            return vCardParam::vCardParamGroup(group);
    }
    return vCardParam::Undefined;
}

bool startsWithKeyword(const QString& text)
{
    return keywordGroup(text) != vCardParam::Undefined;
}

// The text of a parameter kept whole: KEY=value with the value quoted when
// needed, or the whole text quoted when the key needs it or would read as a
// keyword (read from "ENCOD""ING=B", say).
QString undefinedText(const QString& text)
{
    const int equals = text.indexOf(QLatin1Char('='));
    const QString key = text.left(equals);
    const bool keyword = startsWithKeyword(text);
    if (equals < 0 || vCardText::quotedWhenNeeded(key) != key || keyword)
        return vCardText::quotedWhenNeeded(text, keyword);
    return key + QLatin1Char('=') + vCardText::quotedWhenNeeded(text.mid(equals + 1));
}

// The parameters a piece of parameter text stands for. Quoted values are read
// whole, without their quotes.
QList<vCardParam> readPiece(const QString& piece)
{
    const vCardParam::vCardParamGroup group = keywordGroup(piece);
    if (group == vCardParam::Undefined) {
        // A piece of quotes and white space alone is an empty piece.
        if (vCardText::unquoted(piece).trimmed().isEmpty())
            return {};
        return {vCardParam(vCardText::unquoted(piece), vCardParam::Undefined)};
    }
    // The keyword and one more character ("=") come off; a bare keyword is kept whole.
    const int valueStart = int(qstrlen(keywords[group])) + 1;
    const QString value = piece.size() < valueStart ? piece : piece.mid(valueStart);
    if (group != vCardParam::Type)
        return {vCardParam(vCardText::unquoted(value), group)};
    QList<vCardParam> params;
    const QStringList types = vCardText::splitOutsideQuotes(value, QLatin1Char(','));
    for (const QString& type : types)
        params.append(vCardParam(vCardText::unquoted(type), vCardParam::Type));
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
        // Bare in 2.1, unless it would read as another keyword's; it reads
        // back as another parameter, so it is written as one.
        return vCardText::upperAscii(version == VC30 || startsWithKeyword(m_value)
                ? keywordText(Type, value)
                : undefinedText(m_value).toUtf8());
    case Encoding:
    case Charset:
        return vCardText::upperAscii(keywordText(m_group, value));
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
        entries.append(keywordText(Type, QString::fromUtf8(texts[Type].join(','))));
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
