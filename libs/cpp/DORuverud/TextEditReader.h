#pragma once

#include <QCoreApplication>
#include <QString>

class QTextDocument;

// Reads a file's bytes for TextEdit: as HTML when they look like rich text,
// else as local 8-bit text up to the first zero byte. Refuses what the editor
// cannot show faithfully (zip and other binary files) and what its text
// layout cannot handle in reasonable time; the bounds below were measured.
class TextEditReader
{
    Q_DECLARE_TR_FUNCTIONS(TextEditReader)

public:
    // Bytes read at most; a larger file is refused.
    static constexpr int maxFileSize = 4 << 20;
    // HTML elements open inside one another.
    static constexpr int maxNesting = 1000;
    // Pictures of an HTML file; each one costs the parser about a millisecond.
    static constexpr int maxPictures = 1000;
    // Table cells in all.
    static constexpr int maxCells = 20000;
    // Work of laying out what stands inside tables, in letters laid out once
    // (about 0.3 microseconds each); see tableWorkOf().
    static constexpr int maxTableWork = 4000000;
    // Characters of one paragraph: breaking a long word into lines is quadratic.
    static constexpr int maxParagraph = 32768;

    explicit TextEditReader(const QByteArray& data);
    // Text already decoded, such as a paste: the same bounds but for the encoding.
    TextEditReader(const QString& text, bool rich);

    // Why the bytes are refused, or an empty text when they are readable.
    QString refusal() const;
    bool isRich() const;
    // What the editor shows, as HTML when isRich(); empty when refused.
    QString text() const;

private:
    // These return why the bytes are refused, or an empty text.
    QString read(const QByteArray& data);
    QString decode(const QByteArray& data);
    // The bounds on the decoded text.
    QString boundsRefusal() const;
    static QString sizeRefusal();
    QString htmlRefusal() const;
    static QString tableRefusal();
    QString layoutRefusal(const QTextDocument& document) const;

    QString m_refusal;
    bool m_rich = false;
    QString m_text;
};
