#pragma once

#include "PageRequest.h"
#include "PageTrial.h"
#include "PlainTextForm.h"
#include "TextEditDocument.h"

#include <QCoreApplication>
#include <QFont>
#include <QString>
#include <QTextCursor>
#include <memory>

class InsertionParagraph;
class PasteTarget;
class QMimeData;

// Reads what TextEdit shows, a file's bytes or what a paste or a drop inserts:
// as HTML when it is a page, else as plain text. Refuses what the
// editor cannot show whole, and plain text it cannot write back as it was
// (zip and other binary files, zero bytes). A page is tried in the page
// helper first (PageTrial), which lays it out within its limits at the
// narrowest text width the window takes, and is built only once the helper
// built it, laid out only once the helper took it; a rich paste is tried
// there in the document it lands in.
// Plain text is bounded here, by its lines, its height and its unbroken
// runs, as measured.
class TextEditReader
{
    Q_DECLARE_TR_FUNCTIONS(TextEditReader)

public:
    // Where it reads: in the program, a page is tried before it is built;
    // in the page helper, which tries it, it is built untried, and its
    // pictures are left for the program to read (PageLayout).
    enum class Side : qint8 { Program, PageProcess };

    // Bytes read at most; a larger file is refused.
    static constexpr int maxFileSize = 4 << 20;
    // Work of laying out the lines of a plain text, in microseconds as
    // measured here at the bound (bench_richtext): a paragraph costs 7, a line
    // break inside a paragraph 14. At the bound it opens in about 3 s, unless
    // the height bound comes first, as it does for lines of the default font.
    static constexpr qint64 maxLineWork = 3000000;
    static constexpr int plainParagraphWork = 7;
    static constexpr int lineBreakWork = 14;
    // Pixels of height of a document laid out: Qt's layout holds a document
    // on one page of 2^23 pixels; past it, it may stall for good.
    static constexpr qreal maxHeight = 1 << 23;

    // A file named .htm, .html or .xhtml is HTML, as is one that begins as a
    // page does (after white space and comments, "<!DOCTYPE html" or "<html");
    // every other, one named .txt whatever it holds, is plain text. HTML is
    // read in the encoding a browser reads it in (see HtmlEncoding), a byte
    // that is no text there shown as U+FFFD; plain text in the encoding its
    // byte-order mark names, in UTF-16 when its zero bytes show it, else in
    // UTF-8 when its bytes are that, else in the local encoding. The pictures
    // and style sheets a file names relative to itself are found beside it.
    // The document's default font is the one given, the editor's; a page is
    // tried at the text width given, the narrowest the window takes, and
    // may be cancelled by the cancel given.
    explicit TextEditReader(const QByteArray& data, const QString& fileName = QString(),
        const QFont& font = QFont(), Side side = Side::Program, int textWidth = PageRequest::width,
        const std::shared_ptr<PageTrial::Cancel>& cancel = nullptr);
    // What a paste or a drop inserts at the cursor: Qt's own rich text or
    // HTML where rich text is accepted, else plain text, in the document's
    // default font. Plain text is checked as it will stand there, in the
    // paragraph around the cursor and among the lines of the document, on a
    // drag-move within the document once the moved selection is gone; a
    // page is tried in the document with it, at the text width given, its
    // pictures read as the document reads them.
    TextEditReader(const QMimeData* source, bool acceptRich, const QTextCursor& at,
        const QTextCursor& moved = QTextCursor(), Side side = Side::Program,
        int textWidth = PageRequest::width);
    // In the program, a rich paste or drop read on another thread than its
    // document's: tried as it lands at the target.
    TextEditReader(const QMimeData* source, const PasteTarget& target, int textWidth,
        const std::shared_ptr<PageTrial::Cancel>& cancel);
    ~TextEditReader();

    // Whether a paste or a drop of the source, where rich text is accepted
    // or not, inserts rich text.
    static bool offersRichText(const QMimeData* source, bool acceptRich);

    // Why the content is refused, or an empty text when it is readable or
    // the user cancelled its trial.
    QString refusal() const;
    // Whether the user cancelled the page's trial: nothing is read, and
    // there is nothing to tell.
    bool isCancelled() const;
    // The number the page helper keeps a copy of the page's document as,
    // once the window built it as the helper did; else 0.
    quint64 helperCopy() const;
    // What a rich paste is known by where it lands, which its document keeps
    // with a refusal (TextEditDocument::rememberPasteRefusal()).
    QByteArray pasteKey() const;
    bool isRich() const;
    // What the editor shows, as HTML when isRich(); empty when refused, null
    // when a paste offers nothing the editor inserts.
    QString text() const;
    // The form of plain text read from a file, in which it writes back.
    PlainTextForm form() const;
    // The document of the text, the line ends of a file's plain text marked,
    // to be shown as it is; null when refused, and once taken. A file's
    // page is set in it, not laid out; a paste's document holds its
    // pictures alone.
    std::unique_ptr<TextEditDocument> takeDocument();

    // What the user can do instead with a file refused.
    QString instead() const;
    // Why what is taller than maxHeight is refused.
    static QString heightRefusal();

private:
    void setRefusal(const QString& refusal);
    // These return why the content is refused, or an empty text.
    QString read(const QByteArray& data, const QString& fileName);
    QString decode(const QByteArray& data, const QString& fileName);
    // Tries a file's page, which only the page helper builds here; bounds
    // plain text, inserted at the place (null for a file), and a file's
    // plain text written back as its bytes, then builds it.
    QString pageRefusal(const PageRequest& request, const QByteArray& content);
    // Takes what the source offers: rich text where accepted, else plain.
    void take(const QMimeData* source, bool acceptRich);
    QString richPasteRefusal(const QMimeData* source, const PasteTarget& target);
    QString plainRefusal(const InsertionParagraph* place, const QByteArray* file);
    QString unfaithfulRefusal() const;
    static QString sizeRefusal();
    static QString lineRefusal();

    const Side m_side;
    const int m_textWidth;
    const std::shared_ptr<PageTrial::Cancel> m_cancel;
    QString m_refusal;
    bool m_cancelled = false;
    quint64 m_helperCopy = 0;
    QByteArray m_pasteKey;
    bool m_rich = false;
    bool m_zip = false;
    QString m_text;
    PlainTextForm m_form;
    std::unique_ptr<TextEditDocument> m_document = std::make_unique<TextEditDocument>();
};
