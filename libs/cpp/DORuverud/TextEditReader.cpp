#include "TextEditReader.h"

#include "TextEditDocument.h"

#include <QHash>
#include <QSet>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {

// Control characters that no text file holds; a zero byte ends a plain text.
bool holdsControlCharacters(const QString& text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if ((u < 0x20 && u != 0 && u != '\t' && u != '\n' && u != '\v' && u != '\f' && u != '\r')
            || u == 0x7f)
            return true;
    }
    return false;
}

// Tags the HTML parser never nests inside themselves: they stand alone, or a
// new one closes the one before.
bool nestsNothing(const QString& tag)
{
    static const QSet<QString> tags = {"br", "hr", "img", "meta", "p", "li", "dt", "dd", "tr", "td",
        "th", "thead", "tbody", "tfoot", "caption"};
    return tags.contains(tag);
}

// The layout's work on a block inside tables: it measures a table twice on each
// pass over the table around it, so the block's weight counts 2^(tables around
// it) times. A picture weighs as much as a hundred letters, and so does a block
// (a table cell) of its own. Blocks outside tables are laid out once, when shown.
qint64 tableWorkOf(const QTextBlock& block)
{
    int tables = 0;
    for (QTextFrame* frame = QTextCursor(block).currentFrame(); frame; frame = frame->parentFrame())
        tables += qobject_cast<QTextTable*>(frame) != nullptr;
    if (tables == 0)
        return 0;
    const int heavy = 100;
    qint64 weight = heavy + block.length();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            weight += heavy * it.fragment().length();
    }
    return weight << qMin(tables, 24);
}

} // namespace

TextEditReader::TextEditReader(const QByteArray& data)
{
    m_refusal = read(data);
    if (!m_refusal.isEmpty())
        m_text.clear();
}

TextEditReader::TextEditReader(const QString& text, bool rich)
    : m_rich(rich)
    , m_text(text)
{
    m_refusal = text.size() > maxFileSize ? sizeRefusal() : boundsRefusal();
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

QString TextEditReader::read(const QByteArray& data)
{
    if (data.size() > maxFileSize)
        return sizeRefusal();
    if (data.startsWith("PK\x03\x04") || data.startsWith("PK\x05\x06"))
        return tr("It is an OpenDocument or other zip file, which this editor can write but "
                  "not read.");
    const QString refusal = decode(data);
    return refusal.isEmpty() ? boundsRefusal() : refusal;
}

QString TextEditReader::sizeRefusal()
{
    return tr("It is larger than %1 MiB, more than this editor can show.").arg(maxFileSize >> 20);
}

QString TextEditReader::boundsRefusal() const
{
    const QString refusal = m_rich ? htmlRefusal() : QString();
    if (!refusal.isEmpty())
        return refusal;
    TextEditDocument document;
    if (m_rich)
        document.setHtml(m_text);
    else
        document.setPlainText(m_text);
    return layoutRefusal(document);
}

QString TextEditReader::decode(const QByteArray& data)
{
    QTextCodec* htmlCodec = Qt::codecForHtml(data);
    m_rich = Qt::mightBeRichText(htmlCodec->toUnicode(data));
    QTextCodec* codec = m_rich ? htmlCodec : QTextCodec::codecForLocale();
    QTextCodec::ConverterState state;
    m_text = codec->toUnicode(data.constData(), data.size(), &state);
    if (state.invalidChars > 0 || holdsControlCharacters(m_text))
        return tr("It is neither HTML nor plain text in the encoding %1, so this editor cannot "
                  "show it faithfully.")
            .arg(QString::fromLatin1(codec->name()));
    const int zero = m_text.indexOf(QChar(0));
    if (!m_rich && zero >= 0)
        m_text.truncate(zero);
    return QString();
}

// Counts elements open inside one another as the HTML parser nests them, by
// their tags alone; an end tag closes its own kind only. Counting too many
// is the safe side.
QString TextEditReader::htmlRefusal() const
{
    QHash<QString, int> open;
    int depth = 0;
    int pictures = 0;
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
        if (tag == QLatin1String("img") && !closing && ++pictures > maxPictures)
            return tr("It holds more than %1 pictures, more than this editor can lay out.")
                .arg(maxPictures);
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

QString TextEditReader::layoutRefusal(const QTextDocument& document) const
{
    qint64 tableWork = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() - 1 > maxParagraph)
            return tr("It holds a paragraph of more than %1 characters, more than this editor "
                      "can lay out.")
                .arg(maxParagraph);
        tableWork += tableWorkOf(block);
        if (tableWork > maxTableWork)
            return tableRefusal();
    }
    return QString();
}
