#include "TextEditReader.h"

#include "InsertionParagraph.h"
#include "TextEditDocument.h"
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

namespace {

// Tags the HTML parser never nests inside themselves: they stand alone, or a
// new one closes the one before.
bool nestsNothing(const QString& tag)
{
    static const QSet<QString> tags = {"br", "hr", "img", "meta", "p", "li", "dt", "dd", "tr", "td",
        "th", "thead", "tbody", "tfoot", "caption"};
    return tags.contains(tag);
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
    if (tables == 0)
        return 0;
    const int heavy = 100;
    qint64 weight = heavy + block.length();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            weight += heavy * it.fragment().length();
    }
    return (weight << qMin(tables, 24)) + ((run * run / 1024) << qMin(tables, 3));
}

// The table work of a whole document, counted up to just past the bound.
qint64 tableWorkOf(const QTextDocument& document)
{
    qint64 work = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int tables = tablesAround(QTextCursor(block));
        if (tables > 0)
            work += tableWorkOf(block, tables, UnbrokenRun::longest(block.text()));
        if (work > TextEditReader::maxTableWork)
            break;
    }
    return work;
}

} // namespace

TextEditReader::TextEditReader(const QByteArray& data, const QString& fileName)
{
    m_refusal = read(data, fileName);
    if (!m_refusal.isEmpty())
        m_text.clear();
}

// In the order QTextEdit takes them; Qt's own rich text is HTML in UTF-8.
TextEditReader::TextEditReader(
    const QMimeData* source, bool acceptRich, const QTextCursor& at, const QTextCursor& moved)
{
    const QString qrichtext = QStringLiteral("application/x-qrichtext");
    m_rich = acceptRich && (source->hasFormat(qrichtext) || source->hasHtml());
    if (m_rich && source->hasFormat(qrichtext))
        m_text = QLatin1String("<meta name=\"qrichtext\" content=\"1\" />")
            + QString::fromUtf8(source->data(qrichtext));
    else
        m_text = m_rich ? source->html() : source->text();
    const InsertionParagraph place(at, moved);
    m_refusal = m_text.size() > maxFileSize ? sizeRefusal() : boundsRefusal(&place);
    if (!m_refusal.isEmpty())
        m_text.clear();
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

QString TextEditReader::read(const QByteArray& data, const QString& fileName)
{
    if (data.size() > maxFileSize)
        return sizeRefusal();
    if (data.startsWith("PK\x03\x04") || data.startsWith("PK\x05\x06"))
        return tr("It is an OpenDocument or other zip file, which this editor can write but "
                  "not read.");
    const QString refusal = decode(data, fileName);
    return refusal.isEmpty() ? boundsRefusal(nullptr, &data) : refusal;
}

QString TextEditReader::sizeRefusal()
{
    return tr("It is larger than %1 MiB, more than this editor can show.").arg(maxFileSize >> 20);
}

QString TextEditReader::boundsRefusal(const InsertionParagraph* place, const QByteArray* file) const
{
    const QString refusal = m_rich ? htmlRefusal() : QString();
    if (!refusal.isEmpty())
        return refusal;
    TextEditDocument document;
    if (m_rich)
        document.setHtml(m_text);
    else
        document.setPlainText(m_text);
    // Shown only when a save of it writes the file's bytes again.
    if (file && !m_rich && !m_form.writesBack(m_text, &document, *file))
        return unfaithfulRefusal();
    return layoutRefusal(document, place);
}

// Whole or not at all: a zero byte or a cut character would be lost on saving.
QString TextEditReader::decode(const QByteArray& data, const QString& fileName)
{
    QTextCodec* marked = QTextCodec::codecForUtfText(data, nullptr);
    QTextCodec* utf16 = PlainTextForm::unmarkedUtf16(data);
    QTextCodec* html = utf16 ? utf16 : htmlCodec(data);
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    m_rich = suffix == QLatin1String("htm") || suffix == QLatin1String("html")
        || (suffix != QLatin1String("txt") && Qt::mightBeRichText(html->toUnicode(data)));
    QTextCodec* codec = m_rich ? html
        : marked               ? marked
        : utf16                ? utf16
                               : PlainTextForm::utf8Or(data, QTextCodec::codecForLocale());
    // The white space of a text file.
    const bool whole = PlainTextForm::decode(data, codec, QLatin1String("\t\n\v\f\r"), &m_text);
    m_form = PlainTextForm(codec, marked != nullptr, m_text);
    return whole ? QString() : unfaithfulRefusal();
}

// The encoding an HTML file declares; undeclared, UTF-8 when its bytes are
// that, else Latin-1.
QTextCodec* TextEditReader::htmlCodec(const QByteArray& data)
{
    if (QTextCodec* declared = QTextCodec::codecForHtml(data, nullptr))
        return declared;
    return PlainTextForm::utf8Or(data, QTextCodec::codecForName("ISO-8859-1"));
}

QString TextEditReader::unfaithfulRefusal() const
{
    return tr("It is neither HTML nor plain text in the encoding %1, so this editor cannot "
              "show it faithfully.")
        .arg(QString::fromLatin1(m_form.codec()->name()));
}

// Counts elements open inside one another as the HTML parser nests them, by
// their tags alone; an end tag closes its own kind only. Counting too many
// is the safe side.
QString TextEditReader::htmlRefusal() const
{
    if (TextEditDocument::picturesNamedIn(m_text) > maxPictures)
        return tr("It holds more than %1 pictures, more than this editor can lay out.")
            .arg(maxPictures);
    QHash<QString, int> open;
    int depth = 0;
    int cells = 0;
    const int size = m_text.size();
    for (int at = m_text.indexOf('<'); at >= 0; at = m_text.indexOf('<', at + 1)) {
        if (m_text.midRef(at, 4) == QLatin1String("<!--")) {
            at = m_text.indexOf(QLatin1String("-->"), at);
            if (at < 0)
                break;
            continue;
        }
        const bool closing = at + 1 < size && m_text.at(at + 1) == '/';
        const int start = at + 1 + int(closing);
        int end = start;
        while (end < size && m_text.at(end).isLetterOrNumber())
            ++end;
        const QString tag = m_text.mid(start, end - start).toLower();
        if (tag.isEmpty())
            continue;
        if ((tag == QLatin1String("td") || tag == QLatin1String("th")) && !closing
            && ++cells > maxCells)
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
    return QString();
}

QString TextEditReader::tableRefusal()
{
    return tr("Its tables hold too many cells, or are nested too deep, for this editor to lay "
              "them out.");
}

// The paragraph at the place joins the first and the last one inserted.
QString TextEditReader::layoutRefusal(
    const QTextDocument& document, const InsertionParagraph* place)
{
    const QString before = place ? place->before() : QString();
    const QString after = place ? place->after() : QString();
    const int tables = place ? tablesAround(place->place()) : 0;
    qint64 tableWork = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = (block == document.begin() ? before : QString()) + block.text()
            + (block == document.lastBlock() ? after : QString());
        const int run = UnbrokenRun::longest(text);
        if (run > UnbrokenRun::maxLength)
            return UnbrokenRun::refusal();
        tableWork += tableWorkOf(block, tablesAround(QTextCursor(block)) + tables, run);
        if (tableWork > maxTableWork)
            return tableRefusal();
    }
    // What is inserted into tables adds to the work of those already there.
    if (tableWork > 0 && place
        && tableWork + tableWorkOf(*place->place().document()) > maxTableWork)
        return tableRefusal();
    return QString();
}
