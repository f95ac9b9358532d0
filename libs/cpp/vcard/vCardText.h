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
// A value as a version writes it: ";" and "\" get a backslash, line breaks
// become \n in 3.0 and stay in 2.1. A comma stays bare where its bit of
// separators (from *comma on, which moves past the value's commas) is set
// and gets a backslash where it is clear; without bits (a caller's value) it
// stays bare in 2.1 only.
QString escaped(
    const QString& value, vCardVersion version, const QBitArray& separators, int* comma);
// Whether a 2.1 value must be quoted-printable to read back: it holds a line
// break or a backslash.
bool needsQuotedPrintable(const QString& value);
// Bytes as quoted-printable text: "=" and a backslash, control characters,
// bytes beyond ASCII and a blank at the end encoded.
QString toQuotedPrintable(const QByteArray& bytes);
// The bytes of a quoted-printable value; an "=" that begins no code stays,
// one at the end (a soft line break) goes.
QByteArray fromQuotedPrintable(const QByteArray& encoded);
// For each comma that the quoted-printable value decodes to, in order, adds
// a bit to decoded: for a bare comma its bit of separators (from *comma on,
// which moves past the value's bare commas), clear for an encoded one (=2C),
// which is part of an item.
void decodedCommas(
    const QByteArray& encoded, const QBitArray& separators, int* comma, QBitArray* decoded);

} // namespace vCardText
