#include "PlainTextForm.h"

#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

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

// Calls the function with the index of each line end of the text, in order.
template <typename Function> void forEachLineEnd(const QString& text, Function function)
{
    for (int at = 0; at < text.size(); ++at) {
        const int kind = lineEndAt(text, at);
        if (kind < 0)
            continue;
        function(kind);
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
    forEachLineEnd(text, [&](int kind) {
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
    forEachLineEnd(text, [&](int kind) {
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
    QTextCodec::ConverterState state(
        m_byteOrderMark ? QTextCodec::DefaultConversion : QTextCodec::IgnoreHeader);
    *content = m_codec->fromUnicode(text.constData(), text.size(), &state);
    if (state.invalidChars > 0)
        return tr("Its text cannot be written in the encoding %1.")
            .arg(QString::fromLatin1(m_codec->name()));
    // UTF-16 whose zero bytes no longer show it gets a byte-order mark, or it
    // would be read back in the local encoding.
    if (!m_byteOrderMark && isUtf16(m_codec) && unmarkedUtf16(*content) != m_codec) {
        QTextCodec::ConverterState marked;
        *content = m_codec->fromUnicode(text.constData(), text.size(), &marked);
    }
    return QString();
}

bool PlainTextForm::writesBack(
    const QString& text, QTextDocument* document, const QByteArray& data) const
{
    markLineEnds(text, document);
    QByteArray written;
    return encode(*document, &written).isEmpty() && written == data;
}

bool PlainTextForm::decode(
    const QByteArray& data, QTextCodec* codec, QLatin1String whiteSpace, QString* text)
{
    QTextCodec::ConverterState state;
    *text = codec->toUnicode(data.constData(), data.size(), &state);
    const auto isControl = [whiteSpace](QChar c) {
        return (c.unicode() < 0x20 && !whiteSpace.contains(c)) || c.unicode() == 0x7f;
    };
    return state.invalidChars == 0 && state.remainingChars == 0
        && std::none_of(text->cbegin(), text->cend(), isControl);
}

QString PlainTextForm::lineEndBefore(const QTextBlock& block) const
{
    const QVariant own = block.blockFormat().property(lineEndProperty);
    return own.isValid() ? own.toString() : lineEnds[m_lineEnd];
}

// Beyond doubt: at least 16 characters, a quarter of them or more with a zero
// high byte (Latin letters, digits, spaces and line ends), and fewer than one
// zero low byte for every eight of those. A stray zero byte shows nothing.
QTextCodec* PlainTextForm::unmarkedUtf16(const QByteArray& data)
{
    const int characters = data.size() / 2;
    if (data.size() % 2 != 0 || characters < 16 || QTextCodec::codecForUtfText(data, nullptr))
        return nullptr;
    int zeros[2] = {0, 0};
    for (int i = 0; i < data.size(); ++i)
        zeros[i % 2] += data.at(i) == 0;
    const bool little = zeros[1] > zeros[0];
    const int high = zeros[int(little)];
    if (high * 4 < characters || zeros[int(!little)] * 8 >= high)
        return nullptr;
    return QTextCodec::codecForName(little ? "UTF-16LE" : "UTF-16BE");
}

QTextCodec* PlainTextForm::utf8Or(const QByteArray& data, QTextCodec* fallback)
{
    QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    utf8->toUnicode(data.constData(), data.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0 ? utf8 : fallback;
}
