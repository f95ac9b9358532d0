#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Byte and text helpers shared by the vCard reader and writer.
namespace vCardText {

// ASCII letters a to z upper-cased; every other byte kept.
QByteArray upperAscii(QByteArray bytes);
// UTF-8 up to the first zero byte.
QString decode(const QByteArray& bytes);

// Where the first separator outside double quotes stands; -1 when there is none.
int indexOutsideQuotes(const QString& text, QChar separator);
// The text split at every separator outside double quotes, the quotes kept.
QStringList splitOutsideQuotes(const QString& text, QChar separator);
// The text without its double quotes.
QString unquoted(QString text);
// A parameter value as written: quoted when it holds ";", ":" or ",";
// double quotes and line breaks cannot be written and are left out.
QString quotedWhenNeeded(QString value);

// A property's value text split at every ";" that is not escaped, each value
// unescaped: \, \; \\ and \n (or \N) give the character; other backslashes stay.
QStringList readValues(const QString& text);
// One value escaped for writing: \ , ; and line breaks get a backslash.
QString escaped(const QString& value);

} // namespace vCardText
