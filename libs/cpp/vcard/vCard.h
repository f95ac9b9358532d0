#pragma once

#include "vCardProperty.h"
#include "vCardVersion.h"

#include <QByteArray>
#include <QList>
#include <QString>

// An electronic business card: a list of properties in the order added.
// Nothing checks for duplicates or validity.
class vCard
{
public:
    vCard();
    vCard(const QList<vCardProperty>& properties);
    vCard(const vCard& other);
    vCard& operator=(const vCard& other);
    virtual ~vCard();

    QList<vCardProperty> properties() const;
    void addProperty(const vCardProperty& property);
    void addProperties(const QList<vCardProperty>& properties);
    int count() const;

    // The first property of that name (case counts) whose parameters equal the
    // given ones (strict) or include them in any order (not strict); the
    // default property when none matches.
    vCardProperty property(
        const QString& name, const QList<vCardParam>& params = {}, bool strict = false) const;
    bool contains(
        const QString& name, const QList<vCardParam>& params = {}, bool strict = false) const;
    // True when a property has the same name and values; parameters are not compared.
    bool contains(const vCardProperty& property) const;
    // At least one property, and every property valid.
    bool isValid() const;

    // BEGIN:VCARD, the version line, one line per property and END:VCARD,
    // joined by line feeds; lines are not folded. 3.0 escapes values; 2.1
    // escapes ";" and writes a value with a line break or a backslash as
    // quoted-printable. Commas read from text keep their form, bare between
    // the items of a list and escaped inside one (see vCardProperty).
    QByteArray toByteArray(vCardVersion version) const;
    // Writes the card in version 2.1; false, with the old file kept, unless
    // every byte reached the file.
    bool saveToFile(const QString& fileName) const;
    // The complete cards of a text of either version, in text order: folded
    // lines joined, CR LF read as LF, escaped and quoted-printable values and
    // quoted parameters read whole, values decoded from their charset (UTF-16
    // and UTF-32 too, whole, zero bytes and all), white space in values kept,
    // numbered item groups (item1.) taken off the names in any case. None
    // when the text is beyond vCardReader's bounds: then errorText says why
    // (a warning does when it is null); it is emptied when the text was read.
    static QList<vCard> fromByteArray(const QByteArray& text, QString* errorText = nullptr);
    // As fromByteArray, with CR LF line ends read as LF; none when the file
    // can't be read or is larger than 64 MiB, with errorText set as above.
    static QList<vCard> fromFile(const QString& fileName, QString* errorText = nullptr);

private:
    int indexOf(const QString& name, const QList<vCardParam>& params, bool strict) const;

    QList<vCardProperty> m_properties;
};
