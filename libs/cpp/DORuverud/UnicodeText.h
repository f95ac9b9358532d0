#pragma once

#include <QStringView>

// A check of decoded text: UTF-16 and UTF-32 decoders let half of a
// surrogate pair through, and a UTF-32 value beyond Unicode becomes one,
// which no encoding writes back as it was read.
class UnicodeText
{
public:
    // Whether every surrogate of the text stands in a pair.
    static bool isValid(QStringView text);
};
