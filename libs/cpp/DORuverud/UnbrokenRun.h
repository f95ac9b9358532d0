#pragma once

#include <QCoreApplication>
#include <QString>

// The stretches of text that a text layout cannot break into lines. Breaking
// one that is longer than a line takes time that grows with the square of its
// length; in an 800 pixel wide text area, 32,768 characters lay out in about
// 70 ms, 65,536 in 250 ms, 131,072 in a second. Words, CJK text, addresses,
// base64 and minified style sheets break every few dozen characters at most.
class UnbrokenRun
{
    Q_DECLARE_TR_FUNCTIONS(UnbrokenRun)

public:
    // Characters of one run.
    static constexpr int maxLength = 32768;

    // The longest run of characters between two places where a line may break,
    // not counting the white space that ends a line. A line feed, a carriage
    // return and a paragraph or line separator always end a run.
    static int longest(const QString& text);
    // Why a text with a run longer than maxLength is refused.
    static QString refusal();
};
