#include "vCardProperty.h"

#include "vCardText.h"

#include <algorithm>

namespace {

const QChar separator = QLatin1Char(';');

const vCardParam quotedPrintable(QStringLiteral("QUOTED-PRINTABLE"), vCardParam::Encoding);

// The value text as a version writes it. 3.0 escapes; 2.1 escapes only ";"
// and carries line breaks and backslashes as quoted-printable. Values marked
// quoted-printable are encoded in either version.
QString valueText(const QStringList& values, bool encoded, vCardVersion version)
{
    QStringList texts;
    for (const QString& value : values) {
        const QString text = encoded ? vCardText::toQuotedPrintable(value) : value;
        texts << (version == VC30 ? vCardText::escaped(text) : vCardText::escaped21(text));
    }
    return texts.join(separator);
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
    bool encoded = vCardText::isQuotedPrintable(params);
    if (version == VC21 && !encoded
        && std::any_of(m_values.cbegin(), m_values.cend(), vCardText::needsQuotedPrintable)) {
        params.append(quotedPrintable);
        encoded = true;
    }
    const QByteArray name = vCardText::upperAscii(m_name.toUtf8());
    const QByteArray paramText = vCardParam::toByteArray(params, version);
    const QByteArray value = ':' + valueText(m_values, encoded, version).toUtf8();
    const QByteArray line = paramText.isEmpty() ? name + value : name + ';' + paramText + value;
    // A property that would read as the frame of a card (END;:VCARD as it
    // was read) keeps an empty parameter text.
    return vCardText::isFrameLine(line) ? name + ';' + value : line;
}

QList<vCardProperty> vCardProperty::fromByteArray(const QByteArray& text)
{
    QList<vCardProperty> properties;
    const QStringList lines = vCardText::decode(text).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line == QLatin1String("BEGIN:VCARD") || line == QLatin1String("END:VCARD"))
            break;
        const int colon = vCardText::headEnd(line);
        if (colon < 0)
            continue;
        const QString head = line.left(colon);
        const int params = head.indexOf(separator);
        const QString name = params < 0 ? head : head.left(params);
        if (name == QLatin1String("VERSION"))
            continue;
        const QString paramText = params < 0 ? QString() : head.mid(params + 1);
        const QList<vCardParam> paramList = vCardParam::fromByteArray(paramText.toUtf8());
        QStringList values = vCardText::readValues(line.mid(colon + 1));
        if (vCardText::isQuotedPrintable(paramList))
            std::transform(
                values.begin(), values.end(), values.begin(), vCardText::fromQuotedPrintable);
        properties.append(vCardProperty(name, values, paramList));
    }
    return properties;
}
