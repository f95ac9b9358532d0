#include "TextEditReader.h"

#include "HtmlEncoding.h"
#include "InsertionParagraph.h"
#include "TextEditDocument.h"
#include "TextEditHeight.h"
#include "TextEditTableGrid.h"
#include "TextEncoding.h"
#include "UnbrokenRun.h"

#include <QFileInfo>
#include <QHash>
#include <QMimeData>
#include <QSet>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <QVector>

namespace {

// Tags the HTML parser never nests inside themselves: they stand alone, or a
// new one closes the one before.
bool nestsNothing(const QString& tag)
{
    static const QSet<QString> tags = {"br", "hr", "img", "meta", "p", "li", "dt", "dd", "tr", "td",
        "th", "thead", "tbody", "tfoot", "caption"};
    return tags.contains(tag);
}

// Tags that may begin a line of their own: a paragraph or a line break.
bool beginsLine(const QString& tag)
{
    static const QSet<QString> tags = {"br", "p", "div", "li", "dt", "dd", "h1", "h2", "h3", "h4",
        "h5", "h6", "pre", "blockquote", "hr", "td", "th", "center", "address", "table", "ul", "ol",
        "dl", "tr", "caption"};
    return tags.contains(tag);
}

// The lines of a text or of a document's raw text, as the document breaks a
// plain text or marks them in its raw text: its paragraphs, one more than the
// paragraph ends it holds (a frame's beginning or end parts paragraphs too),
// and the line breaks inside them.
struct Lines
{
    qint64 paragraphs = 1;
    qint64 breaks = 0;

    qint64 work(int paragraphWork) const
    {
        return paragraphs * paragraphWork + breaks * TextEditReader::lineBreakWork;
    }
};

Lines linesOf(const QString& text)
{
    Lines lines;
    lines.paragraphs += PlainTextForm::lineEndsIn(text);
    for (const QChar c : text) {
        // A frame's beginning and end.
        lines.paragraphs += c.unicode() == 0xfdd0 || c.unicode() == 0xfdd1;
        lines.breaks += c == QChar::LineSeparator;
    }
    return lines;
}

// The lists open around each place of an HTML text: the importer adds each
// item to one of them, and looks at every item before it in that list. Each
// item counts in every list open around it, the safe side, since the parser
// may have closed lists that the tags alone leave open; so the items of the
// outermost cost the most. Each place text may end a paragraph in a list
// counts as an item too. An end tag closes the innermost list of its kind,
// and the lists inside that.
class ListItems
{
public:
    // The work the tag adds, in microseconds.
    qreal take(const QString& tag, bool closing)
    {
        if (tag == QLatin1String("ul") || tag == QLatin1String("ol")) {
            if (!closing)
                m_open.push_back({tag, m_items});
            else
                close(tag);
            return 0;
        }
        return closing || tag != QLatin1String("li") ? 0 : takeParagraphs(1);
    }

    // The work of paragraphs that may each be an item of the lists open: in
    // preformatted text within an item each line is one.
    qreal takeParagraphs(qint64 count)
    {
        if (m_open.isEmpty())
            return 0;
        const qint64 before = m_items - m_open.first().itemsBefore;
        m_items += count;
        return TextEditReader::listItemWork * qreal(count * before + count * (count - 1) / 2);
    }

private:
    struct List
    {
        QString kind;
        qint64 itemsBefore;
    };

    void close(const QString& kind)
    {
        for (int at = m_open.size() - 1; at >= 0; --at) {
            if (m_open.at(at).kind == kind) {
                m_open.resize(at);
                return;
            }
        }
    }

    QVector<List> m_open;
    qint64 m_items = 0;
};

// The value of the character reference at the place, or 0.
uint referenceAt(const QString& html, int at)
{
    const bool hex = html.midRef(at, 3).compare(QLatin1String("&#x"), Qt::CaseInsensitive) == 0;
    uint value = 0;
    for (at += hex ? 3 : 2; at < html.size() && value <= QChar::LastValidCodePoint; ++at) {
        const int digit = hex ? QStringLiteral("0123456789abcdef").indexOf(html.at(at).toLower())
                              : QStringLiteral("0123456789").indexOf(html.at(at));
        if (digit < 0)
            break;
        value = value * (hex ? 16 : 10) + uint(digit);
    }
    return value;
}

// Where an HTML text may end a paragraph besides its tags, from one place to
// another: at each line feed or line or paragraph separator, written or
// referred to by number, since in preformatted text (by a style too) a line
// feed ends one.
qint64 paragraphEndsIn(const QString& html, int from, int to)
{
    qint64 ends = 0;
    for (int at = from; at < to; ++at) {
        uint value = html.at(at).unicode();
        if (value == '&' && at + 1 < html.size() && html.at(at + 1) == '#')
            value = referenceAt(html, at);
        ends
            += value == '\n' || value == QChar::LineSeparator || value == QChar::ParagraphSeparator;
    }
    return ends;
}

bool isHtmlSpace(QChar c)
{
    return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

// Whether the text begins as a page does: after white space and comments,
// with "<!DOCTYPE html" or "<html", in any case, as a tag of its own.
bool beginsAsPage(const QString& text)
{
    int at = 0;
    for (;;) {
        while (at < text.size() && isHtmlSpace(text.at(at)))
            ++at;
        if (text.midRef(at, 4) != QLatin1String("<!--"))
            break;
        // "<!-->" is a whole comment.
        at = text.indexOf(QLatin1String("-->"), at + 2);
        if (at < 0)
            return false;
        at += 3;
    }
    for (const QLatin1String start : {QLatin1String("<!doctype html"), QLatin1String("<html")}) {
        const int end = at + start.size();
        if (text.midRef(at, start.size()).compare(start, Qt::CaseInsensitive) == 0)
            return end == text.size() || isHtmlSpace(text.at(end)) || text.at(end) == '>'
                || text.at(end) == '/';
    }
    return false;
}

int tablesAround(const QTextCursor& cursor)
{
    int tables = 0;
    for (QTextFrame* frame = cursor.currentFrame(); frame; frame = frame->parentFrame())
        tables += qobject_cast<QTextTable*>(frame) != nullptr;
    return tables;
}

// The layout's work on a block inside tables: it measures a table twice on each
// pass over the table around it, so the block's weight counts 2^tables times.
// A picture weighs as much as a hundred letters, and so does a block (a table
// cell) of its own. An unbroken run weighs with its square besides, since a
// cell breaks it into many lines (ten cells of 8,192 letters took half a
// second); that part grows no further past three tables (measured up to ten).
qint64 tableWorkOf(const QTextBlock& block, int tables, qint64 run)
{
    const int heavy = 100;
    qint64 weight = heavy + block.length();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            weight += heavy * it.fragment().length();
    }
    return (weight << qMin(tables, 24)) + ((run * run / 1024) << qMin(tables, 3));
}

// The blocks of a document as they stand once inserted at a place: the
// paragraph there joins the first and the last one.
struct Inserted
{
    const QTextDocument& document;
    QString before;
    QString after;

    QString textOf(const QTextBlock& block) const
    {
        return (block == document.begin() ? before : QString()) + block.text()
            + (block == document.lastBlock() ? after : QString());
    }
};

// The table work of the blocks in the frame, which stands inside that many
// tables; counted up to just past the bound.
qint64 tableWorkIn(QTextFrame* frame, int tables, const Inserted& inserted)
{
    qint64 work = 0;
    for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame())
            work += tableWorkIn(
                child, tables + int(qobject_cast<QTextTable*>(child) != nullptr), inserted);
        else if (tables > 0)
            work += tableWorkOf(it.currentBlock(), tables,
                UnbrokenRun::longest(inserted.textOf(it.currentBlock())));
        if (work > TextEditReader::maxTableWork)
            break;
    }
    return work;
}

} // namespace

TextEditReader::TextEditReader(const QByteArray& data, const QString& fileName, const QFont& font)
{
    m_document->setDefaultFont(font);
    setRefusal(read(data, fileName));
}

// In the order QTextEdit takes them; Qt's own rich text is HTML in UTF-8.
TextEditReader::TextEditReader(
    const QMimeData* source, bool acceptRich, const QTextCursor& at, const QTextCursor& moved)
{
    m_document->setDefaultFont(at.document()->defaultFont());
    const QString qrichtext = QStringLiteral("application/x-qrichtext");
    m_rich = acceptRich && (source->hasFormat(qrichtext) || source->hasHtml());
    if (m_rich && source->hasFormat(qrichtext))
        m_text = QLatin1String("<meta name=\"qrichtext\" content=\"1\" />")
            + QString::fromUtf8(source->data(qrichtext));
    else
        m_text = m_rich ? source->html() : source->text();
    const InsertionParagraph place(at, moved);
    setRefusal(m_text.size() > maxFileSize ? sizeRefusal() : boundsRefusal(&place));
}

TextEditReader::~TextEditReader() = default;

// What is refused leaves no text or document behind.
void TextEditReader::setRefusal(const QString& refusal)
{
    m_refusal = refusal;
    if (!refusal.isEmpty()) {
        m_text.clear();
        m_document.reset();
    }
}

QString TextEditReader::refusal() const
{
    return m_refusal;
}

bool TextEditReader::isRich() const
{
    return m_rich;
}

QString TextEditReader::text() const
{
    return m_text;
}

PlainTextForm TextEditReader::form() const
{
    return m_form;
}

std::unique_ptr<TextEditDocument> TextEditReader::takeDocument()
{
    return std::move(m_document);
}

QString TextEditReader::read(const QByteArray& data, const QString& fileName)
{
    if (data.size() > maxFileSize)
        return sizeRefusal();
    if (data.startsWith("PK\x03\x04") || data.startsWith("PK\x05\x06"))
        return tr("It is an OpenDocument or other zip file, which this editor can write but "
                  "not read.");
    const QString refusal = decode(data, fileName);
    if (!refusal.isEmpty())
        return refusal;
    if (!fileName.isEmpty())
        m_document->setBaseUrl(QUrl::fromLocalFile(QFileInfo(fileName).absolutePath() + '/'));
    return boundsRefusal(nullptr, &data);
}

QString TextEditReader::sizeRefusal()
{
    return tr("It is larger than %1 MiB, more than this editor can show.").arg(maxFileSize >> 20);
}

// What is cheap to count goes first, before the document is built.
QString TextEditReader::boundsRefusal(const InsertionParagraph* place, const QByteArray* file)
{
    // The paragraph at the place is one of the lines there already.
    qint64 workThere = 0;
    if (place) {
        Lines there = linesOf(place->place().document()->toRawText());
        --there.paragraphs;
        workThere = there.work(plainParagraphWork);
    }
    const QString refusal = m_rich ? htmlRefusal(workThere) : plainRefusal(workThere);
    if (!refusal.isEmpty())
        return refusal;
    if (m_rich)
        m_document->setHtml(m_text);
    else
        m_document->setPlainText(m_text);
    const QString raw = m_document->toRawText();
    // Shown only when a save of it writes the file's bytes again.
    if (file && !m_rich) {
        if (!m_form.writesBack(m_text, raw, *file))
            return unfaithfulRefusal();
        m_form.markLineEnds(m_text, m_document.get());
    }
    return layoutRefusal(*m_document, raw, place, workThere);
}

// Each of its lines is a line of the document's font at least.
QString TextEditReader::plainRefusal(qint64 workThere) const
{
    const Lines lines = linesOf(m_text);
    if (lines.work(plainParagraphWork) + workThere > maxLineWork)
        return lineRefusal();
    if ((lines.paragraphs + lines.breaks) * TextEditHeight::lineHeight(m_document->defaultFont())
        > maxHeight)
        return heightRefusal();
    return QString();
}

// Plain text whole or not at all: a zero byte or a cut character would be lost
// on saving. A page shows a byte that is no text in its encoding as browsers
// do, as U+FFFD. The text decoded to tell a page from plain text stands when
// the text is read in the page's encoding.
QString TextEditReader::decode(const QByteArray& data, const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const bool plain = suffix == QLatin1String("txt");
    QTextCodec* marked = QTextCodec::codecForUtfText(data, nullptr);
    QTextCodec* utf16 = TextEncoding::unmarkedUtf16(data);
    QTextCodec* page = plain ? nullptr : utf16 ? utf16 : HtmlEncoding::of(data);
    bool whole = false;
    if (page)
        m_text = TextEncoding::decode(data, page, &whole);
    m_rich = suffix == QLatin1String("htm") || suffix == QLatin1String("html")
        || suffix == QLatin1String("xhtml")
        || (!plain && beginsAsPage(page ? m_text : QString::fromLatin1(data)));
    if (m_rich && !page)
        return tr("It declares an encoding in which browsers show none of its text, so this "
                  "editor cannot show it.");
    QTextCodec* codec = m_rich ? page
        : marked               ? marked
        : utf16                ? utf16
                               : TextEncoding::utf8Or(data, QTextCodec::codecForLocale());
    if (codec != page)
        m_text = TextEncoding::decode(data, codec, &whole);
    m_form = PlainTextForm(codec, marked != nullptr, m_text);
    // The white space of a text file.
    const QLatin1String whiteSpace("\t\n\v\f\r");
    return (whole || m_rich) && !TextEncoding::holdsControl(m_text, whiteSpace)
        ? QString()
        : unfaithfulRefusal();
}

QString TextEditReader::unfaithfulRefusal() const
{
    return tr("It is neither HTML nor plain text in the encoding %1, so this editor cannot "
              "show it faithfully.")
        .arg(QString::fromLatin1(m_form.codec()->name()));
}

// Counts elements open inside one another as the HTML parser nests them, by
// their tags alone; an end tag closes its own kind only. Counts as a line
// every tag that may begin one and every place a line feed may end one, and
// the items of each list. Counting too many is the safe side.
QString TextEditReader::htmlRefusal(qint64 workThere) const
{
    if (TextEditDocument::picturesNamedIn(m_text) > maxPictures)
        return tr("It holds more than %1 pictures, more than this editor can lay out.")
            .arg(maxPictures);
    QHash<QString, int> open;
    int depth = 0;
    TextEditTableGrid tables;
    ListItems lists;
    const int size = m_text.size();
    qint64 work = workThere + (1 + paragraphEndsIn(m_text, 0, size)) * htmlParagraphWork;
    qreal listWork = 0;
    int text = 0;
    for (int at = m_text.indexOf('<'); at >= 0; at = m_text.indexOf('<', at + 1)) {
        listWork += lists.takeParagraphs(paragraphEndsIn(m_text, text, at));
        if (m_text.midRef(at, 4) == QLatin1String("<!--")) {
            at = m_text.indexOf(QLatin1String("-->"), at);
            if (at < 0)
                break;
            text = at + 3;
            continue;
        }
        const bool closing = at + 1 < size && m_text.at(at + 1) == '/';
        const int start = at + 1 + int(closing);
        int end = start;
        while (end < size && m_text.at(end).isLetterOrNumber())
            ++end;
        text = end;
        const QString tag = m_text.mid(start, end - start).toLower();
        if (tag.isEmpty())
            continue;
        if (!closing && beginsLine(tag))
            work += tag == QLatin1String("br") ? lineBreakWork : htmlParagraphWork;
        listWork += lists.take(tag, closing);
        if (work + listWork > maxLineWork)
            return linesRefusal(work, listWork);
        if (tables.take(m_text, tag, closing, end) > maxCells)
            return tableRefusal();
        if (nestsNothing(tag))
            continue;
        if (!closing && ++depth > maxNesting)
            return tr("It nests HTML elements more than %1 deep, more than this editor can lay "
                      "out.")
                .arg(maxNesting);
        if (!closing)
            ++open[tag];
        else if (open.value(tag) > 0) {
            --open[tag];
            --depth;
        }
    }
    listWork += lists.takeParagraphs(paragraphEndsIn(m_text, text, size));
    return work + listWork > maxLineWork ? linesRefusal(work, listWork) : QString();
}

// Whether the lines or the items of lists take the most of the work.
QString TextEditReader::linesRefusal(qint64 work, qreal listWork)
{
    return listWork > work ? tr("Its lists hold more items than this editor can lay out.")
                           : lineRefusal();
}

QString TextEditReader::tableRefusal()
{
    return tr("Its tables hold too many cells, or are nested too deep, for this editor to lay "
              "them out.");
}

QString TextEditReader::lineRefusal()
{
    return tr("It has more lines than this editor can lay out.");
}

QString TextEditReader::heightRefusal()
{
    return tr("It is taller than this editor can lay out.");
}

// The lines, the runs, the tables, the height and the floats of the document
// as it will stand; in its raw text a frame's beginning and end part
// paragraphs as a paragraph separator does. The lines of plain text are
// counted before it is set (plainRefusal()): the document breaks it where
// linesOf() counts a paragraph and keeps its line breaks inside one.
QString TextEditReader::layoutRefusal(const QTextDocument& document, QString raw,
    const InsertionParagraph* place, qint64 workThere) const
{
    const Lines lines = linesOf(raw);
    const qint64 lineWork = lines.work(m_rich ? htmlParagraphWork : plainParagraphWork) + workThere;
    if (m_rich && lineWork > maxLineWork)
        return lineRefusal();
    const Inserted inserted {
        document, place ? place->before() : QString(), place ? place->after() : QString()};
    raw.replace(QChar(0xfdd0), QChar::ParagraphSeparator)
        .replace(QChar(0xfdd1), QChar::ParagraphSeparator);
    if (UnbrokenRun::longest(inserted.before + raw + inserted.after) > UnbrokenRun::maxLength)
        return UnbrokenRun::refusal();
    const int tables = place ? tablesAround(place->place()) : 0;
    const qint64 work = tableWorkIn(document.rootFrame(), tables, inserted);
    if (work > maxTableWork)
        return tableRefusal();
    // What is inserted into tables adds to the work of those already there.
    const QTextDocument* there = place ? place->place().document() : nullptr;
    if (work > 0 && there
        && work + tableWorkIn(there->rootFrame(), 0, Inserted {*there, {}, {}}) > maxTableWork)
        return tableRefusal();
    return fontAndHeightRefusal(document, there, lineWork);
}

// The fonts first, since telling the height loads each. What is inserted adds
// to the height and the floats of the document there, its floats placed
// among those there as though it stood at the top, where they cost the most,
// and the lines there may stand below them; a height that is no number is no
// less taller than the bound.
QString TextEditReader::fontAndHeightRefusal(
    const QTextDocument& document, const QTextDocument* there, qint64 work)
{
    QSet<QFont> fonts = TextEditHeight::fontsOf(document);
    if (there)
        fonts.unite(TextEditHeight::fontsOf(*there));
    if (fonts.size() > maxFonts)
        return tr("It uses more than %1 fonts, more than this editor can lay out.").arg(maxFonts);
    const qreal enoughLooks = maxLineWork / floatWork;
    std::unique_ptr<TextEditHeight> counted;
    if (there)
        counted = std::make_unique<TextEditHeight>(*there, checkedWidth, maxHeight, enoughLooks);
    const qreal height = counted ? counted->height() : 0;
    const TextEditHeight inserted(
        document, checkedWidth, maxHeight - height, enoughLooks, counted.get());
    if (!(height + inserted.height() <= maxHeight))
        return heightRefusal();
    qreal looks = inserted.floatLooks();
    if (counted)
        looks += counted->floatLooks() + counted->lines() * (inserted.floats() - counted->floats());
    if (work + floatWork * looks > maxLineWork)
        return tr("It has more floating pictures and tables than this editor can lay out.");
    return QString();
}
