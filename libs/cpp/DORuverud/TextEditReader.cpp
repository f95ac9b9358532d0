#include "TextEditReader.h"

#include "HtmlEncoding.h"
#include "InsertionParagraph.h"
#include "PageRequest.h"
#include "PageTrial.h"
#include "PasteTarget.h"
#include "TextEditDocument.h"
#include "TextEncoding.h"
#include "UnbrokenRun.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMimeData>
#include <QTextCodec>
#include <QTextDocument>
#include <QUrl>

#include <cmath>

namespace {

const QString qrichtext = QStringLiteral("application/x-qrichtext");

// The lines of a text or of a document's raw text, as the document breaks a
// plain text or marks them in its raw text: its paragraphs, one more than the
// paragraph ends it holds (a frame's beginning or end parts paragraphs too),
// and the line breaks inside them.
struct Lines
{
    qint64 paragraphs = 1;
    qint64 breaks = 0;

    qint64 work() const
    {
        return paragraphs * TextEditReader::plainParagraphWork
            + breaks * TextEditReader::lineBreakWork;
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

// The height of a line of text in the font.
qreal lineHeight(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return std::ceil(metrics.ascent() + metrics.descent() + qMax<qreal>(0, metrics.leading()));
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

// Whether a file's name says that it holds a page.
bool isPageName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html")
        || suffix == QLatin1String("xhtml");
}

// The height of the document a paste lands in, laid out as it stands.
qreal heightThere(const InsertionParagraph* place)
{
    return place ? place->place().document()->size().height() : 0;
}

} // namespace

TextEditReader::TextEditReader(const QByteArray& data, const QString& fileName, const QFont& font,
    Side side, int textWidth, const std::shared_ptr<PageTrial::Cancel>& cancel)
    : m_side(side)
    , m_textWidth(textWidth)
    , m_cancel(cancel)
{
    m_document->setDefaultFont(font);
    if (side == Side::PageProcess)
        m_document->leavePicturesUnread();
    setRefusal(read(data, fileName));
}

// A rich paste in the program is tried as it lands; the page helper builds
// it itself, as the window will.
TextEditReader::TextEditReader(const QMimeData* source, bool acceptRich, const QTextCursor& at,
    const QTextCursor& moved, Side side, int textWidth)
    : m_side(side)
    , m_textWidth(textWidth)
{
    m_document->setDefaultFont(at.document()->defaultFont());
    if (side == Side::PageProcess)
        m_document->leavePicturesUnread();
    else if (const auto* there = qobject_cast<const TextEditDocument*>(at.document()))
        m_document->readPicturesAs(*there);
    else
        m_document->setBaseUrl(at.document()->baseUrl());
    take(source, acceptRich);
    if (m_text.size() > maxFileSize) {
        setRefusal(sizeRefusal());
    } else if (!m_rich) {
        const InsertionParagraph place(at, moved);
        setRefusal(plainRefusal(&place, nullptr));
    } else if (side == Side::Program) {
        setRefusal(richPasteRefusal(source, PasteTarget(at, moved)));
        auto* there = qobject_cast<TextEditDocument*>(at.document());
        if (there && !m_refusal.isEmpty())
            there->rememberPasteRefusal(m_pasteKey, m_refusal);
    }
}

TextEditReader::TextEditReader(const QMimeData* source, const PasteTarget& target, int textWidth,
    const std::shared_ptr<PageTrial::Cancel>& cancel)
    : m_side(Side::Program)
    , m_textWidth(textWidth)
    , m_cancel(cancel)
{
    m_document->setDefaultFont(target.font());
    m_document->readPicturesAs(target.pictures());
    take(source, true);
    setRefusal(m_text.size() > maxFileSize ? sizeRefusal() : richPasteRefusal(source, target));
}

bool TextEditReader::offersRichText(const QMimeData* source, bool acceptRich)
{
    return acceptRich && (source->hasFormat(qrichtext) || source->hasHtml());
}

// In the order QTextEdit takes them; Qt's own rich text is HTML in UTF-8.
void TextEditReader::take(const QMimeData* source, bool acceptRich)
{
    m_rich = offersRichText(source, acceptRich);
    if (m_rich && source->hasFormat(qrichtext))
        m_text = QLatin1String("<meta name=\"qrichtext\" content=\"1\" />")
            + QString::fromUtf8(source->data(qrichtext));
    else
        m_text = m_rich ? source->html() : source->text();
}

TextEditReader::~TextEditReader() = default;

// What is refused or cancelled leaves no text or document behind.
void TextEditReader::setRefusal(const QString& refusal)
{
    m_refusal = refusal;
    if (!refusal.isEmpty() || m_cancelled) {
        m_text.clear();
        m_document.reset();
    }
}

QString TextEditReader::refusal() const
{
    return m_refusal;
}

bool TextEditReader::isCancelled() const
{
    return m_cancelled;
}

quint64 TextEditReader::helperCopy() const
{
    return m_helperCopy;
}

QByteArray TextEditReader::pasteKey() const
{
    return m_pasteKey;
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

// A file too large to read is a page when its name says so.
QString TextEditReader::read(const QByteArray& data, const QString& fileName)
{
    m_rich = isPageName(fileName);
    if (data.size() > maxFileSize)
        return sizeRefusal();
    m_zip = data.startsWith("PK\x03\x04") || data.startsWith("PK\x05\x06");
    if (m_zip)
        return tr("It is an OpenDocument or other zip file, which this editor can write but "
                  "not read.");
    const QString refusal = decode(data, fileName);
    if (!refusal.isEmpty())
        return refusal;
    if (!fileName.isEmpty())
        m_document->setBaseUrl(QUrl::fromLocalFile(QFileInfo(fileName).absolutePath() + '/'));
    if (!m_rich)
        return plainRefusal(nullptr, &data);
    PageRequest request;
    request.fileName = fileName;
    request.font = m_document->defaultFont();
    request.fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    request.textWidth = m_textWidth;
    return pageRefusal(request, data);
}

QString TextEditReader::instead() const
{
    if (m_zip)
        return tr("You can open it in a word processor instead.");
    if (m_rich)
        return tr("You can open it in a web browser instead.");
    return tr("You can open it in a text editor instead.");
}

QString TextEditReader::sizeRefusal()
{
    return tr("It is larger than %1 MiB, more than this editor can show.").arg(maxFileSize >> 20);
}

// Tried in the bytes offered, in the document as it will stand. Refused
// once, a paste is refused again where it would stand the same.
QString TextEditReader::richPasteRefusal(const QMimeData* source, const PasteTarget& target)
{
    const bool qtRich = source->hasFormat(qrichtext);
    PageRequest request;
    request.source = qtRich ? PageRequest::Source::QtRichText : PageRequest::Source::Html;
    request.font = m_document->defaultFont();
    request.fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    request.textWidth = m_textWidth;
    const QByteArray content = source->data(qtRich ? qrichtext : QStringLiteral("text/html"));
    const QVector<PageRequest::Spot> spots = target.spots();
    request.anchor = spots.at(0);
    request.position = spots.at(1);
    request.movedAnchor = spots.at(2);
    request.movedPosition = spots.at(3);
    m_pasteKey
        = QCryptographicHash::hash(request.toMessage() + content, QCryptographicHash::Sha256);
    const QString refusal = target.refusalOf(m_pasteKey);
    if (!refusal.isEmpty())
        return refusal;
    const PageTrial::Result result
        = PageTrial::triedIn(target, request, content, m_document.get(), maxHeight, m_cancel);
    m_cancelled = result.cancelled;
    m_helperCopy = result.copy;
    return result.refusal;
}

// The pictures the page helper asks about are read by the document, which
// the window shows. The page helper builds a file's page untried; the
// program once the helper built it, while the helper lays it out, or else
// once the helper took it. Qt imports a page many times faster into a
// document that has no layout yet.
QString TextEditReader::pageRefusal(const PageRequest& request, const QByteArray& content)
{
    if (m_side == Side::PageProcess) {
        m_document->setHtml(m_text);
        return QString();
    }
    bool set = false;
    const PageTrial::Result result
        = PageTrial::tried(request, content, m_document.get(), maxHeight, m_cancel, [this, &set] {
              m_document->setHtml(m_text);
              set = true;
          });
    m_cancelled = result.cancelled;
    m_helperCopy = result.copy;
    if (result.refusal.isEmpty() && !m_cancelled && !set)
        m_document->setHtml(m_text);
    return result.refusal;
}

// Each of its lines is a line of the document's font at least, beside the
// lines and the height of the document it lands in. Shown only when a save
// of a file writes its bytes again.
QString TextEditReader::plainRefusal(const InsertionParagraph* place, const QByteArray* file)
{
    const Lines lines = linesOf(m_text);
    qint64 workThere = 0;
    if (place) {
        // The paragraph at the place is one of the lines there already.
        Lines there = linesOf(place->place().document()->toRawText());
        --there.paragraphs;
        workThere = there.work();
    }
    if (lines.work() + workThere > maxLineWork)
        return lineRefusal();
    const qreal height
        = qreal(lines.paragraphs + lines.breaks) * lineHeight(m_document->defaultFont());
    if (height + heightThere(place) > maxHeight)
        return heightRefusal();
    const QString before = place ? place->before() : QString();
    const QString after = place ? place->after() : QString();
    if (UnbrokenRun::longest(before + m_text + after) > UnbrokenRun::maxLength)
        return UnbrokenRun::refusal();
    // A paste inserts the text itself.
    if (place)
        return QString();
    m_document->setPlainText(m_text);
    if (file) {
        if (!m_form.writesBack(m_text, m_document->toRawText(), *file))
            return unfaithfulRefusal();
        m_form.markLineEnds(m_text, m_document.get());
    }
    return QString();
}

// Plain text whole or not at all: a zero byte or a cut character would be lost
// on saving. A page shows a byte that is no text in its encoding as browsers
// do, as U+FFFD. The text decoded to tell a page from plain text stands when
// the text is read in the page's encoding.
QString TextEditReader::decode(const QByteArray& data, const QString& fileName)
{
    const bool plain = QFileInfo(fileName).suffix().toLower() == QLatin1String("txt");
    QTextCodec* marked = QTextCodec::codecForUtfText(data, nullptr);
    QTextCodec* utf16 = TextEncoding::unmarkedUtf16(data);
    QTextCodec* page = plain ? nullptr : utf16 ? utf16 : HtmlEncoding::of(data);
    bool whole = false;
    if (page)
        m_text = TextEncoding::decode(data, page, &whole);
    m_rich = isPageName(fileName)
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

QString TextEditReader::lineRefusal()
{
    return tr("It has more lines than this editor can lay out.");
}

QString TextEditReader::heightRefusal()
{
    return tr("It is taller than this editor can lay out.");
}
