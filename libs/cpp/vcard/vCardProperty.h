#pragma once

#include "vCardParam.h"
#include "vCardVersion.h"

#include <QBitArray>
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// One vCard property: a name, its values (the components of a structured
// property) and its parameters. The default property is what a failed lookup gives.
class vCardProperty
{
public:
    vCardProperty();
    // The value text is split at every ";", empty pieces kept.
    vCardProperty(const QString& name, const QString& value, const QList<vCardParam>& params = {});
    vCardProperty(
        const QString& name, const QStringList& values, const QList<vCardParam>& params = {});
    // The parameters as text, such as "TYPE=home,work".
    vCardProperty(const QString& name, const QString& value, const QString& params);
    vCardProperty(const QString& name, const QStringList& values, const QString& params);

    QString name() const;
    QStringList values() const;
    QList<vCardParam> params() const;
    // The values joined with ";".
    QString value() const;

    // A name, at least one value (an empty one counts) and only valid parameters.
    bool isValid() const;
    // Names and values compared; parameters are not.
    bool operator==(const vCardProperty& other) const;
    bool operator!=(const vCardProperty& other) const;

    // ADR: post office box, extended address, street, locality, region, postal code, country.
    static vCardProperty createAddress(const QString& street, const QString& locality,
        const QString& region, const QString& postalCode, const QString& country,
        const QString& postOfficeBox, const QString& extendedAddress,
        const QList<vCardParam>& params = {});
    // BDAY as yyyy-MM-dd.
    static vCardProperty createBirthday(
        const QDate& birthday, const QList<vCardParam>& params = {});
    // BDAY in UTC as yyyy-MM-ddThh:mm:ssZ.
    static vCardProperty createBirthday(
        const QDateTime& birthday, const QList<vCardParam>& params = {});
    // GEO: latitude, longitude, each with six significant digits.
    static vCardProperty createGeographicPosition(
        double latitude, double longitude, const QList<vCardParam>& params = {});
    // N: family name, given name, additional names, prefixes, suffixes.
    static vCardProperty createName(const QString& givenName, const QString& familyName,
        const QString& additionalNames, const QString& prefixes, const QString& suffixes,
        const QList<vCardParam>& params = {});
    // ORG: the organisation, then its units.
    static vCardProperty createOrganization(
        const QString& name, const QStringList& units, const QList<vCardParam>& params = {});

    // One property line without line feed: NAME;PARAMS:value;value, each value
    // escaped (3.0: \, \; \\ and \n; 2.1: \;, and \\ in UTF-16 and UTF-32),
    // quoted-printable where the parameters say so or 2.1 needs it, and
    // parameter values quoted where needed. The commas of values read from
    // text are written as they were read: bare where they separate the items
    // of a list, escaped where they are part of an item; those of values a
    // caller set are escaped in 3.0 only. Values are written in the charset
    // the first CHARSET parameter names (else UTF-8) when it carries them all
    // (UTF-16 and UTF-32 only as quoted-printable), else in UTF-8 with every
    // CHARSET parameter made UTF-8; a property read from a value text that
    // its charset can't give back writes that text again. A line that would
    // read as BEGIN:VCARD or END:VCARD gets an empty parameter text.
    QByteArray toByteArray(vCardVersion version) const;
    // The properties of the lines up to a BEGIN:VCARD or END:VCARD line; an
    // escaped ";" does not split a value, and values are decoded from
    // quoted-printable and their charset (UTF-16 and UTF-32 whole), zero
    // bytes kept. None, with a warning, when a line is beyond vCardReader's
    // bounds.
    static QList<vCardProperty> fromByteArray(const QByteArray& text);

private:
    friend class vCardReader;
    vCardProperty(const QString& name, const QStringList& values, const QList<vCardParam>& params,
        const QBitArray& separators, const QByteArray& rawValue);

    QString m_name;
    QStringList m_values;
    QList<vCardParam> m_params;
    // For values read from text, one bit per comma of the values, in order:
    // set where the comma separates the items of a list (it was read bare),
    // clear where it is part of an item (read escaped). Empty for values a
    // caller set, and for values without commas.
    QBitArray m_separators;
    // The value text as read, kept only when the charset can't give it back.
    QByteArray m_rawValue;
};
