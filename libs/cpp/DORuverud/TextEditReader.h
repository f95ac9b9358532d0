#pragma once

#include "PlainTextForm.h"
#include "TextEditDocument.h"

#include <QCoreApplication>
#include <QFont>
#include <QString>
#include <QTextCursor>
#include <memory>

class InsertionParagraph;
class QMimeData;

// Reads what TextEdit shows, a file's bytes or what a paste or a drop inserts:
// as HTML when it is a page, else as plain text. Refuses what the
// editor cannot show whole, and plain text it cannot write back as it was
// (zip and other binary files, zero bytes), and what its text layout cannot
// handle in reasonable time; the bounds below were measured.
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
    // Table cells in all, as the HTML importer makes them (TextEditTableGrid).
    static constexpr int maxCells = 20000;
    // Work of laying out what stands inside tables, in letters laid out once
    // (about 0.3 microseconds each); see tableWorkOf().
    static constexpr int maxTableWork = 4000000;
    // Work of laying out the lines of a document, in microseconds as measured
    // here at the bound (bench_richtext): a paragraph of plain text costs 7,
    // one of HTML 10, as it is parsed and styled too, a line break inside a
    // paragraph 14. At the bound each kind opens in about 3 s, unless the
    // height bound comes first, as it does for lines of the default font.
    static constexpr qint64 maxLineWork = 3000000;
    static constexpr int plainParagraphWork = 7;
    static constexpr int htmlParagraphWork = 10;
    static constexpr int lineBreakWork = 14;
    // The HTML importer looks at every item of a list before it to add
    // another, so the items of one list cost the square of their number: in
    // microseconds, this for each item before (bench_richtext).
    static constexpr qreal listItemWork = 0.06;
    // Work of laying out floating pictures and tables besides, in microseconds
    // as measured here (bench_richtext): the layout looks at every float of a
    // frame at each place it tries for another, and for each line of text
    // (TextEditFloats counts the looks), each look costing floatWork.
    static constexpr qreal floatWork = 0.012;
    // Pixels of height of a document laid out (see TextEditHeight): Qt's
    // layout holds a document on one page of 2^23 pixels; past it, it may
    // stall for good (seen from 8.6 million pixels on, with lines of 50 to
    // 1,164 pixels, margins of 1,000 and a paragraph of many lines).
    static constexpr qreal maxHeight = 1 << 23;
    // The width a text is laid out at to check its height: the narrowest text
    // area the bound allows for, since a narrower one wraps more lines.
    static constexpr int checkedWidth = 400;
    // Fonts of a document: the layout loads each, in up to half a millisecond.
    static constexpr int maxFonts = 2000;

    // A file named .htm, .html or .xhtml is HTML, as is one that begins as a
    // page does (after white space and comments, "<!DOCTYPE html" or "<html");
    // every other, one named .txt whatever it holds, is plain text. HTML is
    // read in the encoding a browser reads it in (see HtmlEncoding), a byte
    // that is no text there shown as U+FFFD; plain text in the encoding its
    // byte-order mark names, in UTF-16 when its zero bytes show it, else in
    // UTF-8 when its bytes are that, else in the local encoding. The pictures
    // and style sheets a file names relative to itself are found beside it.
    // The document's default font is the one given, the editor's.
    explicit TextEditReader(
        const QByteArray& data, const QString& fileName = QString(), const QFont& font = QFont());
    // What a paste or a drop inserts at the cursor: Qt's own rich text or
    // HTML where rich text is accepted, else plain text; checked as it will
    // stand there, inside the tables and the paragraph around the cursor and
    // among the lines of the document, in its default font; on a drag-move
    // within the document, once the moved selection is gone.
    TextEditReader(const QMimeData* source, bool acceptRich, const QTextCursor& at,
        const QTextCursor& moved = QTextCursor());
    ~TextEditReader();

    // Why the content is refused, or an empty text when it is readable.
    QString refusal() const;
    bool isRich() const;
    // What the editor shows, as HTML when isRich(); empty when refused, null
    // when a paste offers nothing the editor inserts.
    QString text() const;
    // The form of plain text read from a file, in which it writes back.
    PlainTextForm form() const;
    // The document of the text, the line ends of a file's plain text marked,
    // to be shown as it is; null when refused, and once taken.
    std::unique_ptr<TextEditDocument> takeDocument();

private:
    void setRefusal(const QString& refusal);
    // These return why the content is refused, or an empty text.
    QString read(const QByteArray& data, const QString& fileName);
    QString decode(const QByteArray& data, const QString& fileName);
    // The bounds on the text, inserted at the place (null for a file), and a
    // file's plain text written back as its bytes; builds the document.
    QString boundsRefusal(const InsertionParagraph* place, const QByteArray* file = nullptr);
    QString unfaithfulRefusal() const;
    static QString sizeRefusal();
    QString plainRefusal(qint64 workThere) const;
    QString htmlRefusal(qint64 workThere) const;
    static QString tableRefusal();
    static QString lineRefusal();
    static QString linesRefusal(qint64 work, qreal listWork);
    static QString heightRefusal();
    QString layoutRefusal(const QTextDocument& document, QString raw,
        const InsertionParagraph* place, qint64 workThere) const;
    static QString fontAndHeightRefusal(
        const QTextDocument& document, const QTextDocument* there, qint64 work);

    QString m_refusal;
    bool m_rich = false;
    QString m_text;
    PlainTextForm m_form;
    std::unique_ptr<TextEditDocument> m_document = std::make_unique<TextEditDocument>();
};
