#include "PageLayout.h"

#include "HelperMessage.h"
#include "PageRequest.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QBitmap>
#include <QMimeData>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <malloc.h>

namespace {

QTextCursor selection(QTextDocument* document, PageRequest::Spot anchor, PageRequest::Spot position)
{
    QTextCursor cursor(document);
    cursor.setPosition(PageRequest::positionAt(*document, anchor));
    cursor.setPosition(PageRequest::positionAt(*document, position), QTextCursor::KeepAnchor);
    return cursor;
}

// What a name takes in the program's file of names.
qint64 bytesOf(const QString& name)
{
    return 4 + qint64(name.size()) * 2;
}

} // namespace

PageLayout::PageLayout() = default;

PageLayout::~PageLayout() = default;

bool PageLayout::take(const PageRequest& request, const QByteArray& content)
{
    m_refusal.clear();
    m_names.clear();
    m_width = request.textWidth;
    if (request.source == PageRequest::Source::File) {
        read(request, content);
        m_names = namesToSize();
        return true;
    }
    if (!m_document
        || (m_kept != request.landsIn
            && (m_beforePaste != request.landsIn || !m_document->isUndoAvailable())))
        return false;
    if (m_kept != request.landsIn) {
        m_document->undo();
        m_kept = m_beforePaste;
    }
    paste(request, content);
    m_names = namesToSize();
    return true;
}

void PageLayout::read(const PageRequest& request, const QByteArray& content)
{
    TextEditReader reader(
        content, request.fileName, request.font, TextEditReader::Side::PageProcess);
    m_refusal = reader.refusal();
    if (!m_refusal.isEmpty())
        return;
    m_document = reader.takeDocument();
    m_sized.clear();
    m_standIns.clear();
    m_kept = request.keptAs;
    m_beforePaste = 0;
}

// As the window pastes: the moved text goes, and the paste replaces the
// selection, as a fragment, in one step that undoing takes back.
void PageLayout::paste(const PageRequest& request, const QByteArray& content)
{
    m_document->setDefaultFont(request.font);
    QMimeData source;
    source.setData(request.source == PageRequest::Source::QtRichText
            ? QStringLiteral("application/x-qrichtext")
            : QStringLiteral("text/html"),
        content);
    QTextCursor at = selection(m_document.get(), request.anchor, request.position);
    const TextEditReader reader(
        &source, true, at, QTextCursor(), TextEditReader::Side::PageProcess);
    m_refusal = reader.refusal();
    if (!m_refusal.isEmpty())
        return;
    QTextCursor moved = selection(m_document.get(), request.movedAnchor, request.movedPosition);
    m_document->clearUndoRedoStacks();
    at.beginEditBlock();
    moved.removeSelectedText();
    at.insertFragment(QTextDocumentFragment::fromHtml(reader.text(), m_document.get()));
    at.endEditBlock();
    m_beforePaste = m_kept;
    m_kept = request.keptAs;
}

bool PageLayout::keep(const PageRequest& request, QByteArray* content)
{
    QByteArray html;
    QVector<QPair<QUrl, QSize>> pictures;
    QByteArray paste;
    if (!HelperMessage::read(*content, html, pictures, paste))
        return false;
    *content = paste;
    m_document = std::make_unique<TextEditDocument>();
    m_document->leavePicturesUnread();
    m_document->setDefaultFont(request.font);
    m_document->setBaseUrl(request.base);
    m_document->setHtml(QString::fromUtf8(html));
    m_sized.clear();
    m_standIns.clear();
    for (const auto& picture : qAsConst(pictures))
        addPicture(picture.first, picture.second);
    // Known by no number: the paste lands in it at once.
    m_kept = 0;
    m_beforePaste = 0;
    return true;
}

QString PageLayout::refusal() const
{
    return m_refusal;
}

QStringList PageLayout::pictureNames() const
{
    return m_names;
}

// The layout reads a picture only for a size not given; the window's
// document counts no more than PageRequest::maxNames names, and those after
// show as missing there and here.
QStringList PageLayout::namesToSize() const
{
    if (!m_document || !m_refusal.isEmpty())
        return {};
    QStringList names;
    QSet<QUrl> seen;
    qint64 bytes = 4;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
            if (!format.isValid()
                || (format.hasProperty(QTextFormat::ImageWidth)
                    && format.hasProperty(QTextFormat::ImageHeight)))
                continue;
            const QUrl url = m_document->baseUrl().resolved(PageRequest::pictureUrl(format.name()));
            if (m_sized.contains(url) || seen.contains(url))
                continue;
            if (names.size() == PageRequest::maxNames
                || bytes + bytesOf(format.name()) > PageRequest::maxNamesBytes)
                return names;
            seen.insert(url);
            names.append(format.name());
            bytes += bytesOf(format.name());
        }
    }
    return names;
}

// Each picture stands in as a bitmap of its size, one bit a pixel, never
// drawn: the layout takes its size alone. The pictures of a size share one,
// so that the bitmaps hold no more pixels than the window's pictures.
void PageLayout::addPicture(const QUrl& name, QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    const qint64 key = (qint64(size.width()) << 32) | size.height();
    auto standIn = m_standIns.find(key);
    if (standIn == m_standIns.end())
        standIn = m_standIns.insert(key, QPixmap(QBitmap(size)));
    m_document->addResource(QTextDocument::ImageResource, name, QVariant::fromValue(*standIn));
    m_sized.insert(name);
}

// Whole, from the start, as the window lays out a page it sets; the
// layout then goes, and the document kept holds no more than its text and
// pictures, laid out anew at the next trial.
qreal PageLayout::layOut(const QVector<QSize>& sizes)
{
    if (!m_document || !m_refusal.isEmpty())
        return 0;
    for (int i = 0; i < m_names.size() && i < sizes.size(); ++i)
        addPicture(
            m_document->baseUrl().resolved(PageRequest::pictureUrl(m_names.at(i))), sizes.at(i));
    m_document->setTextWidth(m_width);
    const qreal height = m_document->size().height();
    m_document->setDocumentLayout(nullptr);
    // What the layout held goes back, so that the helper stays small enough
    // to be kept for the next trial.
    ::malloc_trim(0);
    return height;
}
