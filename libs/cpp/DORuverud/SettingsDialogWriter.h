#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDomDocument>

// Writes a settings export: UTF-8, no XML declaration (not the one of a file
// the document was read from either), one blank of indentation per level, and
// each element's attributes sorted by name, so that the same settings always
// give the same bytes (the DOM keeps attributes in hash order).
class SettingsDialogWriter
{
    Q_DECLARE_TR_FUNCTIONS(SettingsDialogWriter)

public:
    // The export of the document; null, and the reason in *error, when
    // SettingsDialogReader would not read it back as the same settings.
    static QByteArray write(const QDomDocument& document, QString* error);

private:
    static QString readBackRefusal(const QDomDocument& document, const QByteArray& bytes);
};
