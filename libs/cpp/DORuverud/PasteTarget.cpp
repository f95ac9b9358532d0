#include "PasteTarget.h"

#include "LayoutThread.h"
#include "PageTrial.h"

#include <QTextCursor>

#include <mutex>

struct PasteTarget::Document
{
    std::mutex mutex;
    const QTextDocument* document;
};

PasteTarget::PasteTarget(const QTextCursor& at, const QTextCursor& moved, int dpi)
    : m_document(std::make_shared<Document>())
    , m_font(at.document()->defaultFont())
    , m_dpi(dpi)
    , m_spots(PageRequest::spotsOf(
          *at.document(), {at.anchor(), at.position(), moved.anchor(), moved.position()}))
    , m_scope(PageTrial::scopeOf(at.document()))
    , m_characterCount(at.document()->characterCount())
{
    m_document->document = at.document();
    const auto* shown = qobject_cast<const TextEditDocument*>(at.document());
    if (!shown) {
        m_pictures.base = at.document()->baseUrl();
        return;
    }
    m_pictures = shown->pictures();
    m_helperCopy = shown->helperCopy();
    m_refused = shown->rememberedPasteRefusal();
    m_namedPictures = shown->namedPictures();
}

QFont PasteTarget::font() const
{
    return m_dpi > 0 ? LayoutThread::unshared(m_font, m_dpi) : m_font;
}

TextEditDocument::Pictures PasteTarget::pictures() const
{
    return m_pictures;
}

QUrl PasteTarget::base() const
{
    return m_pictures.base;
}

QVector<PageRequest::Spot> PasteTarget::spots() const
{
    return m_spots;
}

quint64 PasteTarget::helperCopy() const
{
    return m_helperCopy;
}

quint64 PasteTarget::scope() const
{
    return m_scope;
}

QString PasteTarget::refusalOf(const QByteArray& paste) const
{
    return paste == m_refused.first ? m_refused.second : QString();
}

int PasteTarget::characterCount() const
{
    return m_characterCount;
}

QVector<QPair<QUrl, QSize>> PasteTarget::namedPictures() const
{
    return m_namedPictures;
}

QString PasteTarget::html() const
{
    const std::lock_guard<std::mutex> lock(m_document->mutex);
    return m_document->document ? m_document->document->toHtml() : QString();
}

void PasteTarget::forgetDocument() const
{
    const std::lock_guard<std::mutex> lock(m_document->mutex);
    m_document->document = nullptr;
}

bool PasteTarget::forgotDocument() const
{
    const std::unique_lock<std::mutex> lock(m_document->mutex, std::try_to_lock);
    if (lock.owns_lock())
        m_document->document = nullptr;
    return lock.owns_lock();
}
