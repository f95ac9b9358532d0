#include "vCardProperty.h"

#include "vCardCharset.h"
#include "vCardReader.h"
#include "vCardText.h"

#include <algorithm>

namespace {

const QChar separator = QLatin1Char(';');

const vCardParam quotedPrintable(QStringLiteral("QUOTED-PRINTABLE"), vCardParam::Encoding);

// The value text in the charset, false when it can't carry every value.
// Quoted-printable values are escaped in their encoded text, unless the
// charset is wide: its values are escaped and then encoded whole. A comma
// read from text keeps its form, which the bytes can carry only where their
// commas are the value's, in order.
bool writeValues(const QStringList& values, const QBitArray& separators,
    const vCardCharset& charset, bool encoded, vCardVersion version, QByteArray* text)
{
    QStringList texts;
    int comma = 0;
    bool carried = true;
    for (const QString& value : values) {
        if (!encoded || charset.isWide()) {
            texts << vCardText::escaped(value, version, separators, &comma);
            continue;
        }
        QByteArray bytes;
        carried = charset.encode(value, &bytes) && carried
            && (separators.isEmpty() || bytes.count(',') == value.count(QLatin1Char(',')));
        texts << vCardText::escaped(
            vCardText::toQuotedPrintable(bytes), version, separators, &comma);
    }
    if (encoded && !charset.isWide()) {
        *text = texts.join(separator).toLatin1();
        return carried;
    }
    QByteArray bytes;
    carried = charset.encode(texts.join(separator), &bytes);
    *text = encoded ? vCardText::toQuotedPrintable(bytes).toLatin1() : bytes;
    return carried;
}

// The value text as a version writes it. 3.0 escapes; 2.1 escapes only ";"
// and carries line breaks and backslashes as quoted-printable. Values marked
// quoted-printable are encoded in either version. Values their charset can't
// carry go out in UTF-8, and the charset parameters say so.
QByteArray valueText(const QStringList& values, const QBitArray& separators,
    QList<vCardParam>* params, vCardVersion version)
{
    bool encoded = vCardText::isQuotedPrintable(*params);
    if (version == VC21 && !encoded
        && std::any_of(values.cbegin(), values.cend(), vCardText::needsQuotedPrintable)) {
        params->append(quotedPrintable);
        encoded = true;
    }
    QByteArray text;
    if (!writeValues(values, separators, vCardCharset(*params), encoded, version, &text)) {
        for (vCardParam& param : *params) {
            if (param.group() == vCardParam::Charset)
                param = vCardParam(QStringLiteral("UTF-8"), vCardParam::Charset);
        }
        writeValues(values, separators, vCardCharset(*params), encoded, version, &text);
    }
    return text;
}

} // namespace

vCardProperty::vCardProperty() = default;

vCardProperty::vCardProperty(
    const QString& name, const QString& value, const QList<vCardParam>& params)
    : vCardProperty(name, value.split(separator), params)
{
}

vCardProperty::vCardProperty(
    const QString& name, const QStringList& values, const QList<vCardParam>& params)
    : m_name(name)
    , m_values(values)
    , m_params(params)
{
}

vCardProperty::vCardProperty(const QString& name, const QStringList& values,
    const QList<vCardParam>& params, const QBitArray& separators, const QByteArray& rawValue)
    : m_name(name)
    , m_values(values)
    , m_params(params)
    , m_separators(separators)
    , m_rawValue(rawValue)
{
}

vCardProperty::vCardProperty(const QString& name, const QString& value, const QString& params)
    : vCardProperty(name, value.split(separator), params)
{
}

vCardProperty::vCardProperty(const QString& name, const QStringList& values, const QString& params)
    : vCardProperty(name, values, vCardParam::fromByteArray(params.toUtf8()))
{
}

QString vCardProperty::name() const
{
    return m_name;
}

QStringList vCardProperty::values() const
{
    return m_values;
}

QList<vCardParam> vCardProperty::params() const
{
    return m_params;
}

QString vCardProperty::value() const
{
    return m_values.join(separator);
}

bool vCardProperty::isValid() const
{
    return !m_name.isEmpty() && !m_values.isEmpty()
        && std::all_of(m_params.cbegin(), m_params.cend(),
            [](const vCardParam& param) { return param.isValid(); });
}

bool vCardProperty::operator==(const vCardProperty& other) const
{
    return m_name == other.m_name && m_values == other.m_values;
}

bool vCardProperty::operator!=(const vCardProperty& other) const
{
    return !(*this == other);
}

vCardProperty vCardProperty::createAddress(const QString& street, const QString& locality,
    const QString& region, const QString& postalCode, const QString& country,
    const QString& postOfficeBox, const QString& extendedAddress, const QList<vCardParam>& params)
{
    return vCardProperty(QStringLiteral("ADR"),
        QStringList {postOfficeBox, extendedAddress, street, locality, region, postalCode, country},
        params);
}

vCardProperty vCardProperty::createBirthday(const QDate& birthday, const QList<vCardParam>& params)
{
    return vCardProperty(QStringLiteral("BDAY"),
        QStringList {birthday.toString(QStringLiteral("yyyy-MM-dd"))}, params);
}

vCardProperty vCardProperty::createBirthday(
    const QDateTime& birthday, const QList<vCardParam>& params)
{
    const QString text = birthday.toUTC().toString(QStringLiteral("yyyy-MM-dd'T'hh:mm:ss'Z'"));
    return vCardProperty(QStringLiteral("BDAY"), QStringList {text}, params);
}

vCardProperty vCardProperty::createGeographicPosition(
    double latitude, double longitude, const QList<vCardParam>& params)
{
    return vCardProperty(QStringLiteral("GEO"),
        QStringList {QString::number(latitude, 'g', 6), QString::number(longitude, 'g', 6)},
        params);
}

vCardProperty vCardProperty::createName(const QString& givenName, const QString& familyName,
    const QString& additionalNames, const QString& prefixes, const QString& suffixes,
    const QList<vCardParam>& params)
{
    return vCardProperty(QStringLiteral("N"),
        QStringList {familyName, givenName, additionalNames, prefixes, suffixes}, params);
}

vCardProperty vCardProperty::createOrganization(
    const QString& name, const QStringList& units, const QList<vCardParam>& params)
{
    return vCardProperty(QStringLiteral("ORG"), QStringList {name} + units, params);
}

QByteArray vCardProperty::toByteArray(vCardVersion version) const
{
    if (version != VC21 && version != VC30)
        return QByteArray();
    QList<vCardParam> params = m_params;
    const QByteArray value = ':'
        + (m_rawValue.isNull() ? valueText(m_values, m_separators, &params, version) : m_rawValue);
    const QByteArray name = vCardText::upperAscii(m_name.toUtf8());
    const QByteArray paramText = vCardParam::toByteArray(params, version);
    const QByteArray line = paramText.isEmpty() ? name + value : name + ';' + paramText + value;
    // A property that would read as the frame of a card (END;:VCARD as it
    // was read) keeps an empty parameter text.
    return vCardText::isFrameLine(line) ? name + ';' + value : line;
}

QList<vCardProperty> vCardProperty::fromByteArray(const QByteArray& text)
{
    return vCardReader::readProperties(text);
}
