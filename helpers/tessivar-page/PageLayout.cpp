#include "PageLayout.h"

#include "PageRequest.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QBitmap>
#include <QMimeData>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

namespace {

// A page as a file read or pasted, read as the program reads it.
std::unique_ptr<TextEditReader> readerOf(const PageRequest& request, const QByteArray& content)
{
    using Side = TextEditReader::Side;
    if (request.source == PageRequest::Source::File)
        return std::make_unique<TextEditReader>(
            content, request.fileName, request.font, Side::PageProcess);
    QMimeData source;
    source.setData(request.source == PageRequest::Source::QtRichText
            ? QStringLiteral("application/x-qrichtext")
            : QStringLiteral("text/html"),
        content);
    TextEditDocument there;
    there.setDefaultFont(request.font);
    return std::make_unique<TextEditReader>(
        &source, true, QTextCursor(&there), QTextCursor(), Side::PageProcess);
}

// The document inserted as a fragment inside that many tables, one in the
// one cell of the other.
std::unique_ptr<TextEditDocument> insideTables(const TextEditDocument& document, int tables)
{
    auto inside = std::make_unique<TextEditDocument>();
    inside->leavePicturesUnread();
    inside->setDefaultFont(document.defaultFont());
    inside->setBaseUrl(document.baseUrl());
    QTextCursor cursor(inside.get());
    for (int i = 0; i < tables; ++i)
        cursor.insertTable(1, 1);
    cursor.insertFragment(QTextDocumentFragment(&document));
    return inside;
}

// The layout reads a picture only for a size not given; the window's
// document reads no more than PageRequest::maxNames, and those after show
// as missing there and here.
QStringList picturesSizedByThemselves(const QTextDocument& document)
{
    QStringList names;
    QSet<QString> seen;
    for (QTextBlock block = document.begin();
         block.isValid() && names.size() < PageRequest::maxNames; block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
            if (!format.isValid()
                || (format.hasProperty(QTextFormat::ImageWidth)
                    && format.hasProperty(QTextFormat::ImageHeight))
                || seen.contains(format.name()) || names.size() == PageRequest::maxNames)
                continue;
            seen.insert(format.name());
            names.append(format.name());
        }
    }
    return names;
}

} // namespace

PageLayout::PageLayout(const PageRequest& request, const QByteArray& content)
{
    const std::unique_ptr<TextEditReader> reader = readerOf(request, content);
    m_refusal = reader->refusal();
    m_document = reader->takeDocument();
    // A paste goes into the window's document as a fragment, which costs the
    // layout's import again: the trial pays that too.
    if (m_document && request.source != PageRequest::Source::File)
        m_document = insideTables(*m_document, request.tables);
    if (m_document)
        m_names = picturesSizedByThemselves(*m_document);
}

PageLayout::~PageLayout() = default;

QString PageLayout::refusal() const
{
    return m_refusal;
}

QStringList PageLayout::pictureNames() const
{
    return m_names;
}

// Each picture stands in as a bitmap of its size, one bit a pixel, never
// drawn: the layout takes its size alone.
qreal PageLayout::layOut(const QVector<QSize>& sizes)
{
    if (!m_document)
        return 0;
    for (int i = 0; i < m_names.size() && i < sizes.size(); ++i) {
        const QUrl name = m_document->baseUrl().resolved(PageRequest::pictureUrl(m_names.at(i)));
        m_document->addResource(QTextDocument::ImageResource, name,
            QVariant::fromValue(QPixmap(QBitmap(sizes.at(i).expandedTo(QSize(1, 1))))));
    }
    m_document->setTextWidth(PageRequest::width);
    return m_document->size().height();
}
