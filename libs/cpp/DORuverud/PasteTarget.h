#pragma once

#include "PageRequest.h"
#include "TextEditDocument.h"

#include <QFont>
#include <QPair>
#include <QSize>
#include <QUrl>
#include <QVector>

#include <memory>

class QTextCursor;

// Where a rich paste or drop lands, read from its document on the document's
// own thread, so that the paste may be tried on another (LayoutThread): the
// document's font and pictures, the place as the page helper finds it again,
// the copy the helper keeps of it and the paste refused there before. While
// a trial runs the document stands unchanged, and only reading its HTML
// goes back to it, from the trial's thread: the GUI thread meanwhile only
// draws it, which changes no more than its layout.
class PasteTarget
{
public:
    // The paste replaces the selection of at; on a drag-move within the
    // document, the selection of moved goes first. The document shows at the
    // dots per inch given; 0 where the paste is read on its own thread.
    PasteTarget(const QTextCursor& at, const QTextCursor& moved, int dpi = 0);

    // The document's default font, for the thread that asks.
    QFont font() const;
    TextEditDocument::Pictures pictures() const;
    QUrl base() const;
    // Where the paste lands: the anchor and position of at, then of moved.
    QVector<PageRequest::Spot> spots() const;
    // The number the page helper keeps the document as (TextEditDocument), or 0.
    quint64 helperCopy() const;
    // The document's number among those the page helpers serve (PageTrial).
    quint64 scope() const;
    // Why the paste, known by its key, was refused there, or an empty text.
    QString refusalOf(const QByteArray& paste) const;
    int characterCount() const;
    // The pictures the document read, by name, with the sizes they show at.
    QVector<QPair<QUrl, QSize>> namedPictures() const;
    // The document's HTML, as it stands; empty once it went.
    QString html() const;
    // On the document's thread, before the document goes: its HTML is read
    // no more, and a reading under way ends first.
    void forgetDocument() const;
    // As forgetDocument(), but false at once where a reading is under way,
    // which goes on then.
    bool forgotDocument() const;

private:
    // The document, which the copies of a target share.
    struct Document;

    std::shared_ptr<Document> m_document;
    QFont m_font;
    int m_dpi;
    TextEditDocument::Pictures m_pictures;
    QVector<PageRequest::Spot> m_spots;
    quint64 m_helperCopy = 0;
    quint64 m_scope = 0;
    QPair<QByteArray, QString> m_refused;
    int m_characterCount = 0;
    QVector<QPair<QUrl, QSize>> m_namedPictures;
};
