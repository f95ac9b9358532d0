#include "vCardProperty.h"

#include "vCardCharset.h"
#include "vCardReader.h"
#include "vCardText.h"

#include <algorithm>

namespace {

const QChar separator = QLatin1Char(';');

const vCardParam quotedPrintable(QStringLiteral("QUOTED-PRINTABLE"), vCardParam::Encoding);

// The value text in the charset, false when it can't carry every value.
bool writeValues(const QStringList& values, const vCardCharset& charset, bool encoded,
    vCardVersion version, QByteArray* text)
{
    const auto escape = version == VC30 ? vCardText::escaped : vCardText::escaped21;
    if (encoded) {
        QList<QByteArray> bytes;
        for (const QString& value : values) {
            bytes.append(QByteArray());
            if (!charset.encode(value, &bytes.last()))
                return false;
        }
        *text = vCardText::quotedPrintableValues(bytes, escape);
        return true;
    }
    QStringList texts;
    for (const QString& value : values)
        texts << escape(value);
    return charset.encode(texts.join(separator), text);
}

// The value text as a version writes it. 3.0 escapes; 2.1 escapes only ";"
// and carries line breaks and backslashes as quoted-printable. Values marked
// quoted-printable are encoded in either version. Values their charset can't
// carry go out in UTF-8, and the charset parameters say so.
QByteArray valueText(const QStringList& values, QList<vCardParam>* params, vCardVersion version)
{
    bool encoded = vCardText::isQuotedPrintable(*params);
    if (version == VC21 && !encoded
        && std::any_of(values.cbegin(), values.cend(), vCardText::needsQuotedPrintable)) {
        params->append(quotedPrintable);
        encoded = true;
    }
    QByteArray text;
    if (!writeValues(values, vCardCharset(*params), encoded, version, &text)) {
        for (vCardParam& param : *params) {
            if (param.group() == vCardParam::Charset)
                param = vCardParam(QStringLiteral("UTF-8"), vCardParam::Charset);
        }
        writeValues(values, vCardCharset(*params), encoded, version, &text);
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
    const QList<vCardParam>& params, const QByteArray& rawValue)
    : m_name(name)
    , m_values(values)
    , m_params(params)
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
    const QByteArray value
        = ':' + (m_rawValue.isNull() ? valueText(m_values, &params, version) : m_rawValue);
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
