#pragma once

#include <QByteArray>
#include <QDomDocument>

// Writes a settings export: UTF-8, no XML declaration of its own, one blank
// of indentation per level, and each element's attributes sorted by name, so
// that the same settings always give the same bytes (the DOM keeps
// attributes in hash order).
class SettingsDialogWriter
{
public:
    static QByteArray write(const QDomDocument& document);
};
