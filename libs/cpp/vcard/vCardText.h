#pragma once

#include <QByteArray>
#include <QString>

// Byte and text helpers shared by the vCard reader and writer.
namespace vCardText {

// ASCII letters a to z upper-cased; every other byte kept.
QByteArray upperAscii(QByteArray bytes);
// UTF-8 up to the first zero byte.
QString decode(const QByteArray& bytes);

} // namespace vCardText
