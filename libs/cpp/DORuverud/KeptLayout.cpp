#include "KeptLayout.h"

#include "PictureLayout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <QtGui/private/qtextdocumentlayout_p.h>
#include <QtGui/private/qtextengine_p.h>

namespace {

// QTextEdit lays out every document it is given anew: it sets the page size
// to its viewport's width, and Qt's layout starts again at any page size it
// is given. This one lets that pass once, at the size it is laid out at.
class Layout : public QTextDocumentLayout
{
public:
    explicit Layout(QTextDocument* document)
        : QTextDocumentLayout(document)
    {
    }

    QSizeF laidOutAt;
    bool keeping = false;

protected:
    void documentChanged(int from, int oldLength, int length) override
    {
        if (keeping && from == 0 && oldLength == 0 && document()->pageSize() == laidOutAt)
            return;
        QTextDocumentLayout::documentChanged(from, oldLength, length);
    }
};

} // namespace

// A document given a layout is laid out at once, at its page size unless
// that is null; its first size is none, but not null.
void KeptLayout::prepare(QTextDocument* document, QTextOption::WrapMode wrap)
{
    document->setPageSize(QSizeF(0, 0));
    auto* layout = new Layout(document);
    layout->registerHandler(QTextFormat::ImageObject, new PictureLayout(layout));
    document->setDocumentLayout(layout);
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(wrap);
    document->setDefaultTextOption(option);
}

// The page size as QTextEdit sets it. Each block's layout keeps the font
// engines it used last, which belong to this thread; the next layout or
// drawing takes those of its own thread again.
void KeptLayout::layOut(QTextDocument* document, int viewportWidth)
{
    document->setPageSize(QSizeF(viewportWidth, -1));
    document->documentLayout()->documentSize();
    if (auto* layout = dynamic_cast<Layout*>(document->documentLayout()))
        layout->laidOutAt = document->pageSize();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.layout())
            block.layout()->engine()->resetFontEngineCache();
    }
}

void KeptLayout::show(QTextEdit* area, QTextDocument* document)
{
    auto* layout = dynamic_cast<Layout*>(document->documentLayout());
    if (layout)
        layout->keeping = true;
    area->setDocument(document);
    if (layout)
        layout->keeping = false;
}
