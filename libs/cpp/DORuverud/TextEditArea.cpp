#include "TextEditArea.h"

#include "InsertionGuard.h"
#include "PageRequest.h"
#include "TextEditReader.h"

#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QWindow>

namespace {

// The least text width the area takes on the narrowest screen.
constexpr int leastTextWidth = PageRequest::width / 4;

InsertionGuard::Refusal refusalOf(const TextEditReader& reader)
{
    if (reader.isCancelled())
        return QString();
    if (reader.refusal().isEmpty())
        return std::nullopt;
    return reader.refusal();
}

} // namespace

TextEditArea::TextEditArea(QWidget* parent)
    : QTextEdit(parent)
    , m_insertionGuard(new InsertionGuard(
          this, [this](const QMimeData* source, const QTextCursor& at, const QTextCursor& moved) {
              auto reader = std::make_unique<TextEditReader>(source, acceptRichText(), at, moved,
                  TextEditReader::Side::Program, narrowestTextWidth());
              const InsertionGuard::Refusal refusal = refusalOf(*reader);
              m_checkedMove = refusal ? nullptr : std::move(reader);
              m_movedSource = source;
              return refusal;
          }))
{
    // Always beside the text, so that a paste or a page never has the text
    // laid out again for a scroll bar that comes or goes.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMinimumWidth(PageRequest::width + besideText());
}

TextEditArea::~TextEditArea() = default;

int TextEditArea::besideText() const
{
    return 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

// What the window holds beside the area stays; the area gives way, down to
// the least text width.
int TextEditArea::narrowestTextWidth() const
{
    const QScreen* screen = window()->screen();
    if (!screen)
        return PageRequest::width;
    const int around = window()->minimumSizeHint().width() - minimumWidth();
    return qBound(leastTextWidth, screen->availableGeometry().width() - around - besideText(),
        int(PageRequest::width));
}

void TextEditArea::fitScreen()
{
    setMinimumWidth(narrowestTextWidth() + besideText());
}

void TextEditArea::showEvent(QShowEvent* event)
{
    fitScreen();
    if (QWindow* shown = window()->windowHandle())
        connect(
            shown, &QWindow::screenChanged, this, &TextEditArea::fitScreen, Qt::UniqueConnection);
    QTextEdit::showEvent(event);
}

void TextEditArea::dropEvent(QDropEvent* event)
{
    QTextEdit::dropEvent(event);
    m_checkedMove.reset();
    m_movedSource = nullptr;
}

// A drag-move checked before the moved text went is inserted as checked.
void TextEditArea::insertFromMimeData(const QMimeData* source)
{
    std::unique_ptr<TextEditReader> reader = source == m_movedSource && m_checkedMove
        ? std::move(m_checkedMove)
        : std::make_unique<TextEditReader>(source, acceptRichText(), textCursor(), QTextCursor(),
            TextEditReader::Side::Program, narrowestTextWidth());
    m_checkedMove.reset();
    m_movedSource = nullptr;
    if (m_insertionGuard->refusedWithMessage(refusalOf(*reader)) || reader->text().isNull())
        return;
    auto* shown = qobject_cast<TextEditDocument*>(document());
    // The pictures read to check the paste are those it shows.
    if (shown)
        shown->takePicturesOf(*reader->takeDocument());
    QMimeData checked;
    if (reader->isRich())
        checked.setHtml(reader->text());
    else
        checked.setText(reader->text());
    QTextEdit::insertFromMimeData(&checked);
    if (shown && reader->isRich())
        shown->setHelperCopy(reader->helperCopy());
}
