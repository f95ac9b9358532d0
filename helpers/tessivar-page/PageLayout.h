#pragma once

#include <QSize>
#include <QStringList>
#include <QVector>

#include <memory>

class TextEditDocument;
struct PageRequest;

// The page helper's side of a page trial: reads a page's bytes with the
// editor's own reader, builds its document as the window would and lays it
// out at the request's width, its pictures at the sizes the program read for
// them, so that the program learns what the layout takes before the window
// builds the page. The program keeps it within its limits from outside.
class PageLayout
{
public:
    PageLayout(const PageRequest& request, const QByteArray& content);
    ~PageLayout();

    // Why the reader refused the page, or an empty text.
    QString refusal() const;
    // The pictures whose size the layout needs, as the document names them
    // (PageRequest::pictureUrl()): those given no width or no height.
    QStringList pictureNames() const;
    // Lays the document out, the pictures named of those sizes in turn; its
    // height.
    qreal layOut(const QVector<QSize>& sizes);

private:
    QString m_refusal;
    std::unique_ptr<TextEditDocument> m_document;
    QStringList m_names;
};
