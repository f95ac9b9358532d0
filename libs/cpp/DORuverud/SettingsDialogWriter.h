#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDomDocument>
#include <QStringList>

// Writes a settings export: UTF-8, no XML declaration, one blank of
// indentation per level, and each element's attributes sorted by name, so
// that the same settings always give the same bytes (the DOM keeps attributes
// in hash order). Text goes out so that SettingsDialogReader gives it back as
// it was, white space and carriage returns included.
class SettingsDialogWriter
{
    Q_DECLARE_TR_FUNCTIONS(SettingsDialogWriter)

public:
    // The export of the document, whose root holds one element for each page,
    // written by the page of that tab title; null, and the reason in *error,
    // when a value holds a character XML cannot hold or SettingsDialogReader
    // would not read it back as the same settings. The reason names the tab
    // and the field, an attribute or element of the page's element, that
    // holds the value.
    static QByteArray write(
        const QDomDocument& document, const QStringList& titles, QString* error);

private:
    static QString readBackRefusal(
        const QDomDocument& document, const QStringList& titles, const QByteArray& bytes);
    static QString refusal(const QDomNode& node, const QStringList& titles, const QString& reason);
    static QString fieldName(const QDomNode& node);
    static QString pageRefusal(const QDomDocument& document, const QStringList& titles);
};
