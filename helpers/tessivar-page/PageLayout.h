#pragma once

#include <QHash>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QUrl>
#include <QVector>

#include <memory>

class TextEditDocument;
struct PageRequest;

// The page helper's side of a page trial: reads a page's bytes with the
// editor's own reader and builds its document as the window would, or puts
// a paste into the document kept from the trial before as the window puts
// it, or keeps a document the program sends for a paste to land in; and lays
// the document out whole at the request's width, its pictures at the sizes
// the program read for them, so that the program learns what the layout
// takes before the window builds it. It keeps the document for the next
// paste, and can go back to the one before the last paste, which the window
// did not take. The program keeps it within its limits from outside.
class PageLayout
{
public:
    PageLayout();
    ~PageLayout();

    // Reads the page, or puts the paste into the document it lands in;
    // false when that is not kept here.
    bool take(const PageRequest& request, const QByteArray& content);
    // Keeps the document that travels with a paste, its pictures of the
    // sizes the window shows, and leaves the paste's bytes; false for what
    // is no document.
    bool keep(const PageRequest& request, QByteArray* content);
    // Why the reader refused the page or the paste, or an empty text.
    QString refusal() const;
    // The pictures whose size the layout needs, as the document names them
    // (PageRequest::pictureUrl()): those given no width or no height, not
    // sized before, no more than a document reads.
    QStringList pictureNames() const;
    // Lays the document out, the pictures named of those sizes in turn; its
    // height.
    qreal layOut(const QVector<QSize>& sizes);

private:
    void read(const PageRequest& request, const QByteArray& content);
    void paste(const PageRequest& request, const QByteArray& content);
    QStringList namesToSize() const;
    void addPicture(const QUrl& name, QSize size);

    std::unique_ptr<TextEditDocument> m_document;
    // The number the document is kept as, and that of the document before
    // the last paste, which undoing it gives.
    quint64 m_kept = 0;
    quint64 m_beforePaste = 0;
    int m_width = 0;
    QString m_refusal;
    QStringList m_names;
    // The pictures given a size, by the address the layout asks for, and
    // what stands in for pictures of each size.
    QSet<QUrl> m_sized;
    QHash<qint64, QPixmap> m_standIns;
};
