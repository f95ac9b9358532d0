#pragma once

#include "vCardParam.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Byte and text helpers shared by the vCard reader and writer.
namespace vCardText {

// ASCII letters a to z upper-cased; every other byte kept.
QByteArray upperAscii(QByteArray bytes);
// UTF-8 up to the first zero byte.
QString decode(const QByteArray& bytes);
// BEGIN:VCARD or END:VCARD, white space around it aside.
bool isFrameLine(const QByteArray& line);

// The text split at every separator outside double quotes, the quotes kept.
QStringList splitOutsideQuotes(const QString& text, QChar separator);
// The text without its double quotes.
QString unquoted(QString text);
// A parameter value as written: quoted when it holds ";", ":" or ",", or
// always; double quotes and line breaks cannot be written and are left out.
QString quotedWhenNeeded(QString value, bool always = false);
// Where the colon before the value text of a property line stands; -1 for a
// line without one. A colon inside a quoted parameter value is part of it;
// with a quote left open the first colon ends the head.
int headEnd(const QByteArray& line);
// Whether a parameter other than a charset says that the values are
// quoted-printable: ENCODING= or, as 2.1 allows, the bare word.
bool isQuotedPrintable(const QList<vCardParam>& params);

// A property's value text split at every ";" that is not escaped, each value
// unescaped: \, \; \\ and \n (or \N) give the character; other backslashes stay.
QStringList readValues(const QString& text);
// One value escaped for 3.0: \ , ; and line breaks get a backslash.
QString escaped(const QString& value);
// One value escaped for 2.1: only ";" gets a backslash.
QString escaped21(const QString& value);
// Whether a 2.1 value must be quoted-printable to read back: it holds a line
// break or a backslash.
bool needsQuotedPrintable(const QString& value);
// The value text of values given as bytes: each as quoted-printable text
// ("=" and a backslash, control characters, bytes beyond ASCII and a blank at
// the end encoded), escaped with escape, joined with ";".
QByteArray quotedPrintableValues(
    const QList<QByteArray>& values, QString (*escape)(const QString&));
// The bytes of a quoted-printable value; an "=" that begins no code stays,
// one at the end (a soft line break) goes.
QByteArray fromQuotedPrintable(const QByteArray& encoded);

} // namespace vCardText
