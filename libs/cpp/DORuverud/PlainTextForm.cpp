#include "PlainTextForm.h"

#include "TextEncoding.h"

#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The line ends, by index; LF first, the one of a new text.
const QString lineEnds[] = {QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r"),
    QString(QChar(QChar::ParagraphSeparator))};
constexpr int lineEndKinds = 4;

// Where a paragraph carries the line end before it, when not the file's own.
constexpr int lineEndProperty = QTextFormat::UserProperty + 0x4c45;

// The index of the line end at the place, or -1; as the document breaks a
// plain text into paragraphs.
int lineEndAt(const QString& text, int at)
{
    switch (text.at(at).unicode()) {
    case '\n':
        return 0;
    case '\r':
        return at + 1 < text.size() && text.at(at + 1) == '\n' ? 1 : 2;
    case QChar::ParagraphSeparator:
        return 3;
    default:
        return -1;
    }
}

// Calls the function with the place and the index of each line end of the
// text, in order.
template <typename Function> void forEachLineEnd(const QString& text, Function function)
{
    for (int at = 0; at < text.size(); ++at) {
        const int kind = lineEndAt(text, at);
        if (kind < 0)
            continue;
        function(at, kind);
        at += lineEnds[kind].size() - 1;
    }
}

bool isUtf16(const QTextCodec* codec)
{
    const int utf16be = 1013;
    const int utf16le = 1014;
    return codec->mibEnum() == utf16be || codec->mibEnum() == utf16le;
}

} // namespace

int PlainTextForm::lineEndsIn(const QString& text)
{
    int ends = 0;
    forEachLineEnd(text, [&ends](int, int) { ++ends; });
    return ends;
}

PlainTextForm::PlainTextForm()
    : m_codec(QTextCodec::codecForLocale())
{
}

PlainTextForm::PlainTextForm(QTextCodec* codec, bool byteOrderMark, const QString& text)
    : m_codec(codec)
    , m_byteOrderMark(byteOrderMark)
{
    int counts[lineEndKinds] = {};
    int order[lineEndKinds] = {};
    int met = 0;
    forEachLineEnd(text, [&](int, int kind) {
        if (counts[kind]++ == 0)
            order[kind] = met++;
    });
    for (int kind = 1; kind < lineEndKinds; ++kind) {
        const int best = counts[m_lineEnd];
        if (counts[kind] > best
            || (counts[kind] == best && best > 0 && order[kind] < order[m_lineEnd]))
            m_lineEnd = kind;
    }
}

QTextCodec* PlainTextForm::codec() const
{
    return m_codec;
}

// In one edit block without undo: the document lays itself out once, and
// the marks are no step to undo.
void PlainTextForm::markLineEnds(const QString& text, QTextDocument* document) const
{
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    QTextBlock block = document->begin();
    forEachLineEnd(text, [&](int, int kind) {
        block = block.next();
        if (kind == m_lineEnd || !block.isValid())
            return;
        QTextBlockFormat format = block.blockFormat();
        format.setProperty(lineEndProperty, lineEnds[kind]);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    });
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undo);
}

QString PlainTextForm::encode(const QTextDocument& document, QByteArray* content) const
{
    QString text;
    text.reserve(document.characterCount());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += lineEndBefore(block);
        text += block.text();
    }
    return encode(text, content);
}

QString PlainTextForm::encode(const QString& text, QByteArray* content) const
{
    QTextCodec::ConverterState state(
        m_byteOrderMark ? QTextCodec::DefaultConversion : QTextCodec::IgnoreHeader);
    *content = m_codec->fromUnicode(text.constData(), text.size(), &state);
    if (state.invalidChars > 0)
        return tr("Its text cannot be written in the encoding %1.")
            .arg(QString::fromLatin1(m_codec->name()));
    // UTF-16 whose zero bytes no longer show it gets a byte-order mark, or it
    // would be read back in the local encoding.
    if (!m_byteOrderMark && isUtf16(m_codec) && TextEncoding::unmarkedUtf16(*content) != m_codec) {
        QTextCodec::ConverterState marked;
        *content = m_codec->fromUnicode(text.constData(), text.size(), &marked);
    }
    return QString();
}

// The document holds the text as its paragraphs when its raw text is the text
// with a paragraph separator for each line end; marked, it then writes the
// text again.
bool PlainTextForm::writesBack(
    const QString& text, const QString& rawText, const QByteArray& data) const
{
    QString paragraphs;
    paragraphs.reserve(text.size());
    int from = 0;
    forEachLineEnd(text, [&](int at, int kind) {
        paragraphs.append(text.constData() + from, at - from).append(QChar::ParagraphSeparator);
        from = at + lineEnds[kind].size();
    });
    paragraphs.append(text.constData() + from, text.size() - from);
    QByteArray written;
    return rawText == paragraphs && encode(text, &written).isEmpty() && written == data;
}

QString PlainTextForm::lineEndBefore(const QTextBlock& block) const
{
    const QVariant own = block.blockFormat().property(lineEndProperty);
    return own.isValid() ? own.toString() : lineEnds[m_lineEnd];
}
