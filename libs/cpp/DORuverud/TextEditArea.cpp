#include "TextEditArea.h"

#include "InsertionGuard.h"
#include "PageRequest.h"
#include "PasteTarget.h"
#include "TextEditReader.h"
#include "TrialQueue.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QTextDocumentFragment>
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

// What a paste or a drop offers, in every form, apart from its source, which
// may change or go before the offer is taken.
using Offer = QVector<QPair<QString, QByteArray>>;

Offer offerOf(const QMimeData* source)
{
    Offer offer;
    for (const QString& format : source->formats())
        offer.append({format, source->data(format)});
    return offer;
}

void fill(QMimeData* source, const Offer& offer)
{
    for (const auto& form : offer)
        source->setData(form.first, form.second);
}

// What a rich paste inserts, read on the layout thread as the page helper
// read it. A fragment makes the lists and frames of its document when they
// are first copied: a copy here makes them on this thread, where the
// document is, so that the copy into the window's document makes none.
QTextDocumentFragment builtHere(const QString& html, const QTextDocument* resources)
{
    const QTextDocumentFragment fragment = QTextDocumentFragment::fromHtml(html, resources);
    QTextDocument copy;
    QTextCursor(&copy).insertFragment(fragment);
    return fragment;
}

} // namespace

TextEditArea::TextEditArea(QWidget* parent)
    : QTextEdit(parent)
    , m_insertionGuard(new InsertionGuard(this,
          [this](const QMimeData* source, const QTextCursor& at, const QTextCursor& moved) {
              // Rich text dropped is tried as it lands (dropEvent()).
              if (TextEditReader::offersRichText(source, acceptRichText()))
                  return InsertionGuard::Refusal();
              auto reader = std::make_unique<TextEditReader>(source, acceptRichText(), at, moved,
                  TextEditReader::Side::Program, narrowestTextWidth());
              const InsertionGuard::Refusal refusal = refusalOf(*reader);
              m_checkedMove = refusal ? nullptr : std::move(reader);
              m_movedSource = source;
              return refusal;
          }))
    , m_trials(new TrialQueue(this, parent ? parent : this))
{
    // Always beside the text, so that a paste or a page never has the text
    // laid out again for a scroll bar that comes or goes.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMinimumWidth(PageRequest::width + besideText());
}

TextEditArea::~TextEditArea()
{
    forgetTarget();
}

// The trial under way reads the document no more, which may change or go.
void TextEditArea::forgetTarget()
{
    if (m_target)
        m_target->forgetDocument();
    m_target.reset();
    m_landing = Landing();
}

// As forgetTarget(), but false at once where the trial reads the document
// right now.
bool TextEditArea::forgotTarget()
{
    if (m_target && !m_target->forgotDocument())
        return false;
    forgetTarget();
    return true;
}

TrialQueue* TextEditArea::trials() const
{
    return m_trials;
}

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

// Rich text dropped is accepted as a copy, so that its source keeps it
// whatever the trial finds; a move within the area takes the moved text out
// itself once the drop goes in.
void TextEditArea::dropEvent(QDropEvent* event)
{
    if (isReadOnly() || !TextEditReader::offersRichText(event->mimeData(), acceptRichText())) {
        QTextEdit::dropEvent(event);
        m_checkedMove.reset();
        m_movedSource = nullptr;
        return;
    }
    const bool moving = event->source() == viewport() && event->dropAction() == Qt::MoveAction;
    const Landing landing {
        cursorForPosition(event->pos()), moving ? textCursor() : QTextCursor(), true};
    // The drop's mark goes.
    QDragLeaveEvent leave;
    QTextEdit::dragLeaveEvent(&leave);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    tryRich(event->mimeData(), landing);
}

// A paste during a trial waits its turn with what it offers now; behind
// what waits before it, a copy or a cut among it, with what the clipboard
// offers once its turn came. A drag-move checked before the moved text went
// is inserted as checked.
void TextEditArea::insertFromMimeData(const QMimeData* source)
{
    if (m_trials->isHolding() && m_trials->held([this] { paste(); }))
        return;
    if (m_trials->held([this, offer = offerOf(source)] {
            QMimeData held;
            fill(&held, offer);
            insertFromMimeData(&held);
        }))
        return;
    if (TextEditReader::offersRichText(source, acceptRichText())) {
        tryRich(source, {textCursor(), QTextCursor(), false});
        return;
    }
    std::unique_ptr<TextEditReader> reader = source == m_movedSource && m_checkedMove
        ? std::move(m_checkedMove)
        : std::make_unique<TextEditReader>(source, acceptRichText(), textCursor(), QTextCursor(),
            TextEditReader::Side::Program, narrowestTextWidth());
    m_checkedMove.reset();
    m_movedSource = nullptr;
    if (m_insertionGuard->refusedWithMessage(refusalOf(*reader)) || reader->text().isNull())
        return;
    QTextEdit::insertFromMimeData(source);
}

// Read as it lands and tried on the layout thread, which builds what goes
// in, while the window goes on. The document is read there laid out whole,
// so that the window, which draws it meanwhile, lays none of it out.
void TextEditArea::tryRich(const QMimeData* source, const Landing& landing)
{
    document()->size();
    m_landing = landing;
    m_target = std::make_unique<PasteTarget>(landing.at, landing.moved, logicalDpiY());
    const PasteTarget target = *m_target;
    const int width = narrowestTextWidth();
    const QString label = landing.dropped ? tr("Laying out the document with the drop...")
                                          : tr("Laying out the document with the paste...");
    m_trials->begin(
        label,
        [this, offer = offerOf(source), target, width](
            const std::shared_ptr<PageTrial::Cancel>& cancel) -> TrialQueue::Finish {
            QMimeData offered;
            fill(&offered, offer);
            const auto reader = std::make_shared<TextEditReader>(&offered, target, width, cancel);
            // The pictures it read, which the document takes.
            const std::shared_ptr<TextEditDocument> pictures = reader->takeDocument();
            QTextDocumentFragment fragment;
            if (pictures) {
                fragment = builtHere(reader->text(), pictures.get());
                pictures->moveToThread(QCoreApplication::instance()->thread());
            }
            return [this, reader, pictures, fragment] { land(*reader, pictures.get(), fragment); };
        },
        [this] { return forgotTarget(); });
}

// As QTextEdit inserts a paste, or a drop where it fell, the moved text
// taken out first, in one step that undoing takes back; the helper keeps
// the document as it then stands.
void TextEditArea::land(const TextEditReader& reader, const TextEditDocument* pictures,
    const QTextDocumentFragment& fragment)
{
    Landing landing = std::exchange(m_landing, Landing());
    m_target.reset();
    auto* shown = qobject_cast<TextEditDocument*>(document());
    if (!reader.refusal().isEmpty()) {
        if (shown)
            shown->rememberPasteRefusal(reader.pasteKey(), reader.refusal());
        m_insertionGuard->tell(reader.refusal(), landing.dropped);
        return;
    }
    if (shown)
        shown->takePicturesOf(*pictures);
    landing.at.beginEditBlock();
    landing.moved.removeSelectedText();
    landing.at.insertFragment(fragment);
    landing.at.endEditBlock();
    setTextCursor(landing.at);
    ensureCursorVisible();
    if (shown)
        shown->setHelperCopy(reader.helperCopy());
}
