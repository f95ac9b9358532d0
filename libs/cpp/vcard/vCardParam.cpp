#include "vCardParam.h"

#include "vCardText.h"

namespace {

const QString pattern = QStringLiteral("%1=%2");

QByteArray keywordText(const char* keyword, const QString& value)
{
    return pattern.arg(QLatin1String(keyword), value).toUtf8();
}

// The parameters a piece of parameter text stands for.
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
        for (const QString& type : valueAfter(QStringLiteral("TYPE")).split(QLatin1Char(',')))
            params.append(vCardParam(type, vCardParam::Type));
    } else if (startsWith("ENCODING")) {
        params.append(vCardParam(valueAfter(QStringLiteral("ENCODING")), vCardParam::Encoding));
    } else if (startsWith("CHARSET")) {
        params.append(vCardParam(valueAfter(QStringLiteral("CHARSET")), vCardParam::Charset));
    } else {
        params.append(vCardParam(piece, vCardParam::Undefined));
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
    switch (m_group) {
    case Type:
        return vCardText::upperAscii(
            version == VC30 ? keywordText("TYPE", m_value) : m_value.toUtf8());
    case Encoding:
        return vCardText::upperAscii(keywordText("ENCODING", m_value));
    case Charset:
        return vCardText::upperAscii(keywordText("CHARSET", m_value));
    case Undefined:
        break;
    }
    return vCardText::upperAscii(m_value.toUtf8());
}

QByteArray vCardParam::toByteArray(QList<vCardParam> params, vCardVersion version)
{
    if (version != VC21 && version != VC30)
        return QByteArray();
    // Indexed by group: the 2.1 texts of each group in list order.
    QList<QByteArray> texts[4];
    QList<QByteArray> all;
    for (const vCardParam& param : params) {
        const bool known = param.group() >= Type && param.group() <= Undefined;
        texts[known ? param.group() : Undefined].append(param.toByteArray(VC21));
        all.append(param.toByteArray(VC21));
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
        = vCardText::decode(text).simplified().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& piece : pieces)
        params.append(readPiece(piece));
    return params;
}
