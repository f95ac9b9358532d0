#pragma once

#include <QCoreApplication>
#include <QString>

class QTextBlock;
class QTextCodec;
class QTextDocument;

// The form a plain-text file was read in, which a save keeps: its encoding,
// its byte-order mark and its line ends. CR LF, LF, CR and U+2029 each end a
// paragraph of the document; U+2028 stays inside one. The file's own line end
// is the one most of its lines end with (the first met on a tie, LF in a file
// of one line). A paragraph after a line that ends otherwise carries that line
// end, and a paragraph split from it takes it along, so the line ends of a
// file stay as they were read.
class PlainTextForm
{
    Q_DECLARE_TR_FUNCTIONS(PlainTextForm)

public:
    // A new text: the local encoding without a byte-order mark, LF.
    PlainTextForm();
    // The form of a file's text, decoded with the codec.
    PlainTextForm(QTextCodec* codec, bool byteOrderMark, const QString& text);

    // The line ends of the text, each of which ends a paragraph of a document
    // set to it.
    static int lineEndsIn(const QString& text);

    QTextCodec* codec() const;
    // Gives the paragraphs of a document just set to the text the line ends
    // they follow there.
    void markLineEnds(const QString& text, QTextDocument* document) const;
    // The document in this form; why it cannot be written so, or an empty text.
    QString encode(const QTextDocument& document, QByteArray* content) const;
    // Whether a document just set to the text, whose raw text is given, holds
    // it whole and so, once its line ends are marked, writes the data again
    // in this form.
    bool writesBack(const QString& text, const QString& rawText, const QByteArray& data) const;

private:
    QString encode(const QString& text, QByteArray* content) const;
    QString lineEndBefore(const QTextBlock& block) const;

    QTextCodec* m_codec;
    bool m_byteOrderMark = false;
    // Index of the file's own line end.
    int m_lineEnd = 0;
};
