#pragma once

#include "vCardParam.h"
#include "vCardVersion.h"

#include <QBitArray>
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
// BEGIN:VCARD or END:VCARD, white space around it aside, up to a zero byte
// as the reader reads it.
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

// Adds count bits, each set or clear, to the end of bits.
void appendBits(QBitArray* bits, int count, bool set);
// A property's value text split at every ";" that is not escaped, each value
// unescaped: \, \; \\ and \n (or \N) give the character; other backslashes
// stay. Each comma of the values adds a bit to separators, in order: set for
// a bare comma, which separates the items of a list, clear for an escaped
// one, which is part of an item.
QStringList readValues(const QString& text, QBitArray* separators);
// Where the item of the value that begins at start ends: at the next comma
// that separators marks as separating items, else at the end. *comma is the
// bit of the first comma from start on, and moves past the commas passed.
int itemEnd(const QString& value, int start, const QBitArray& separators, int* comma);
// An item as a version writes it: ";" and "\" get a backslash, and "," where
// commas is true; line breaks become \n in 3.0 and stay in 2.1.
QString escaped(const QString& item, vCardVersion version, bool commas);
// Whether a 2.1 value must be quoted-printable to read back: it holds a line
// break or a backslash.
bool needsQuotedPrintable(const QString& value);
// Bytes as quoted-printable text: "=" and a backslash, control characters,
// bytes beyond ASCII and a blank at the end encoded.
QString toQuotedPrintable(const QByteArray& bytes);
// The bytes of quoted-printable text; an "=" that begins no code stays, one
// at the end of a value (a soft line break) goes.
QByteArray fromQuotedPrintable(const QByteArray& encoded, bool valueEnd = true);

} // namespace vCardText
