#include "PageTrial.h"

#include "HelperMessage.h"
#include "HelperProcess.h"
#include "HelperSpare.h"
#include "MemoryFile.h"
#include "PageRequest.h"
#include "PasteTarget.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QScopeGuard>
#include <QSize>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <mutex>
#include <unistd.h>

namespace {

// The helper, kept for the pages after of the document it serves alone,
// and the spare that serves the next document; never deleted, as they end
// with the program. Held with the lock by the thread of a trial.
std::mutex one;
struct Kept
{
    QString program = HelperProcess::besideProgram(QLatin1String(PageTrial::helperName));
    std::unique_ptr<HelperProcess> process;
    quint64 scope = 0;
};

Kept& kept()
{
    static auto* const helper = new Kept;
    return *helper;
}

HelperSpare& spare()
{
    static auto* const started = new HelperSpare(HelperProcess::Limits {PageTrial::cpuLimitMs,
        PageTrial::waitLimitMs, PageTrial::totalLimitMs, PageTrial::memoryMargin});
    return *started;
}

// The program's own helper is forked from its template; one set for a test
// starts as it is.
HelperProcess::Start startOf(const QString& program)
{
    return QFileInfo(program).fileName() == QLatin1String(PageTrial::helperName)
        ? HelperProcess::Start::Forked
        : HelperProcess::Start::Spawned;
}

// The helper that serves the document: the one kept where it does, else
// the spare, which only the program's own helper has, or a new one; the one
// kept before ends.
HelperProcess& helperFor(quint64 scope)
{
    Kept& helper = kept();
    if (!helper.process || helper.scope != scope) {
        const HelperProcess::Start start = startOf(helper.program);
        std::unique_ptr<HelperProcess> started
            = start == HelperProcess::Start::Forked ? spare().take(helper.program, start) : nullptr;
        helper.process
            = started ? std::move(started) : std::make_unique<HelperProcess>(helper.program, start);
        helper.scope = scope;
    }
    return *helper.process;
}

// The helper of the trial under way and that trial's cancel, which alone
// stops it, and whether it did; with a lock held only a moment.
std::mutex abandoning;
HelperProcess* underWay = nullptr;
const PageTrial::Cancel* underWayCancel = nullptr;
bool underWayStopped = false;

// The numbers the helper keeps documents as.
std::atomic<quint64> copies {0};

QString notLaidOut(const QString& why)
{
    return PageTrial::tr("It could not be laid out in this editor: %1.").arg(why);
}

// The sizes the window's layout gives the pictures named, as the document
// reads them; those after a cancel are left unread.
QVector<QSize> sizesOf(
    const QStringList& names, TextEditDocument* pictures, const PageTrial::Cancel& cancelled)
{
    QVector<QSize> sizes;
    sizes.reserve(names.size());
    for (const QString& name : names) {
        if (cancelled.isCancelled()) {
            sizes.append(QSize());
            continue;
        }
        const QVariant resource
            = pictures->resource(QTextDocument::ImageResource, PageRequest::pictureUrl(name));
        const QImage image = resource.userType() == QMetaType::QPixmap
            ? resource.value<QPixmap>().toImage()
            : resource.value<QImage>();
        sizes.append((QSizeF(image.size()) / image.devicePixelRatio()).toSize());
    }
    return sizes;
}

// What a trial holds, the program's side of it.
struct Work
{
    explicit Work(const PageTrial::Cancel& cancel)
        : cancelled(cancel)
    {
    }

    PageRequest request;
    // The bytes of the page or the paste, with the document the paste
    // lands in when that travels.
    QByteArray content;
    // Reads the pictures as the window's document will hold them.
    std::unique_ptr<TextEditDocument> pictures = std::make_unique<TextEditDocument>();
    qreal mostHeight = 0;
    // The document the trial is for, which its helper serves alone.
    quint64 scope = 0;
    // Builds the window's page while the helper lays out its own.
    std::function<void()> built;
    const PageTrial::Cancel& cancelled;
    PageTrial::Result result;
    // The helper keeps no document the paste lands in.
    bool noDocument = false;
};

// A step of a trial in the helper, its answers read as from a stranger:
// once the names of pictures, as many as a page may name, for a file's page
// once that it built it, then the measures or the reader's refusal, or for
// a paste into a document the helper keeps, that it keeps none. Anything
// else ends the helper.
class Step
{
public:
    Step(HelperProcess& helper, const HelperProcess::Limits& limits, int namesFile, Work& work,
        const PageRequest& request)
        : m_helper(helper)
        , m_limits(limits)
        , m_namesFile(namesFile)
        , m_work(work)
        , m_request(request)
    {
    }

    PageTrial::Result answer()
    {
        for (;;) {
            HelperChannel::Message message;
            const HelperProcess::Outcome outcome = m_helper.next(message, m_limits);
            if (outcome != HelperProcess::Outcome::Message)
                return {stopped(outcome)};
            qreal height = 0;
            qint64 ms = 0;
            QString why;
            if (message.kind == PageRequest::Pictures && !m_sized && !m_built
                && takeNames(message.data)) {
                continue;
            } else if (message.kind == PageRequest::Built && !m_built && message.data.isEmpty()
                && m_request.source == PageRequest::Source::File) {
                build();
                continue;
            } else if (message.kind == PageRequest::Measured
                && HelperMessage::read(message.data, height, ms)) {
                return measured(height, ms);
            } else if (message.kind == PageRequest::Refused
                && HelperMessage::read(message.data, why)) {
                return {why};
            } else if (message.kind == PageRequest::NoDocument && m_request.landsIn != 0
                && message.data.isEmpty()) {
                m_work.noDocument = true;
                return {};
            }
            return {stopped(HelperProcess::Outcome::Amiss)};
        }
    }

private:
    // The names the helper wrote into the program's file; their sizes go
    // back. The program's reading is no wait of the helper's.
    bool takeNames(const QByteArray& data)
    {
        qint64 length = 0;
        QStringList names;
        if (!HelperMessage::read(data, length) || length <= 0
            || length > PageRequest::maxNamesBytes)
            return false;
        const QByteArray list = MemoryFile::head(m_namesFile, length);
        if (HelperMessage::count(list, PageRequest::maxNames) < 0
            || !HelperMessage::read(list, names))
            return false;
        m_sized = true;
        QElapsedTimer reading;
        reading.start();
        const int file = MemoryFile::of(
            HelperMessage::of(sizesOf(names, m_work.pictures.get(), m_work.cancelled)));
        const bool sent = file >= 0 && m_helper.send(PageRequest::Sizes, QByteArray(), {file});
        if (file >= 0)
            ::close(file);
        waited(reading.elapsed());
        return sent;
    }

    // The page the helper built, within its limits, is built for the
    // window too while the helper lays it out: both wait no longer than
    // the longer of the two.
    void build()
    {
        m_built = true;
        if (!m_work.built || m_work.cancelled.isCancelled())
            return;
        QElapsedTimer building;
        building.start();
        m_work.built();
        waited(building.elapsed());
    }

    // The program's own work is no wait of the helper's.
    void waited(qint64 ms)
    {
        m_limits.waitMs += ms;
        m_limits.totalMs += ms;
    }

    // Up or down: margins below zero lay a document out upwards; a height
    // that is no number is past any bound. Where the helper built a
    // document first, it counts the time from there.
    PageTrial::Result measured(qreal height, qint64 ms) const
    {
        if (ms > PageTrial::cpuLimitMs)
            return {cpuRefusal(), height, ms};
        if (!(qAbs(height) <= m_work.mostHeight))
            return {TextEditReader::heightRefusal(), height, ms};
        return {QString(), height, ms, m_request.keptAs};
    }

    static QString cpuRefusal()
    {
        return PageTrial::tr("It takes longer than %1 s of processor time to lay out, more "
                             "than this editor gives a page.")
            .arg(PageTrial::cpuLimitMs / 1000.0);
    }

    QString stopped(HelperProcess::Outcome outcome)
    {
        const QString why = m_helper.stop(outcome, m_limits);
        switch (outcome) {
        case HelperProcess::Outcome::Cpu:
            return cpuRefusal();
        case HelperProcess::Outcome::Total:
            return PageTrial::tr("It takes longer than %1 s of processor time and waiting "
                                 "together to lay out, more than this editor gives a page.")
                .arg(PageTrial::totalLimitMs / 1000.0);
        case HelperProcess::Outcome::Memory:
            return PageTrial::tr("It needs more than %1 MB to lay out, more than this editor "
                                 "gives a page.")
                .arg(PageTrial::memoryMargin >> 20);
        case HelperProcess::Outcome::Stack:
            return PageTrial::tr("It is nested too deeply to lay out in this editor.");
        default:
            return notLaidOut(why);
        }
    }

    HelperProcess& m_helper;
    HelperProcess::Limits m_limits;
    const int m_namesFile;
    Work& m_work;
    const PageRequest& m_request;
    bool m_sized = false;
    bool m_built = false;
};

// A step within the limits, counted anew: the request, its bytes as a file
// and a file for the names of pictures.
PageTrial::Result step(HelperProcess& page, Work& work)
{
    const PageRequest& request = work.request;
    const QByteArray& content = work.content;
    // A document that travels, read from HTML, may take the helper as long
    // as laying it out with the paste: twice the limits, for both.
    const bool travels = request.source != PageRequest::Source::File && request.landsIn == 0;
    const int times = travels ? 2 : 1;
    const HelperProcess::Limits limits {PageTrial::cpuLimitMs * times,
        PageTrial::waitLimitMs * times, PageTrial::totalLimitMs * times, PageTrial::memoryMargin};
    const auto failed = [](const QString& why) { return PageTrial::Result {notLaidOut(why)}; };
    bool outOfTime = false;
    const QString why = page.begin(limits, outOfTime);
    if (!why.isEmpty())
        return failed(why);
    const int file = MemoryFile::of(content);
    const int names = MemoryFile::sized(PageRequest::maxNamesBytes);
    const auto closeFiles = qScopeGuard([file, names] {
        for (const int fd : {file, names}) {
            if (fd >= 0)
                ::close(fd);
        }
    });
    if (file < 0 || names < 0)
        return failed(PageTrial::tr("no memory for its bytes"));
    if (!page.send(PageRequest::Page, request.toMessage(), {file, names}))
        return failed(page.stop(HelperProcess::Outcome::Ended, limits));
    return Step(page, limits, names, work, request).answer();
}

// The step of a trial, on the thread that asks for it; the helper rests
// once it answered. A helper its cancel stopped is replaced.
void run(Work& work)
{
    const std::lock_guard<std::mutex> lock(one);
    HelperProcess& page = helperFor(work.scope);
    {
        const std::lock_guard<std::mutex> abandon(abandoning);
        if (work.cancelled.isCancelled())
            return;
        underWay = &page;
        underWayCancel = &work.cancelled;
    }
    work.result = step(page, work);
    page.rest();
    const std::lock_guard<std::mutex> abandon(abandoning);
    const bool stopped = underWayStopped;
    underWay = nullptr;
    underWayCancel = nullptr;
    underWayStopped = false;
    if (stopped)
        kept().process.reset();
}

PageTrial::Result cancelled()
{
    PageTrial::Result result;
    result.cancelled = true;
    return result;
}

// The document a paste lands in as it travels with the paste: its HTML,
// and the pictures its window reads by name with the sizes they show at.
QByteArray documentOf(const PasteTarget& target)
{
    return HelperMessage::of(target.html().toUtf8(), target.namedPictures());
}

QString tooLargeRefusal()
{
    return PageTrial::tr("It could not be tried in the document it lands in, which holds more "
                         "than %L1 characters, more than this editor sends its page helper.")
        .arg(PageRequest::maxDocumentCharacters);
}

} // namespace

void PageTrial::Cancel::cancel()
{
    const std::lock_guard<std::mutex> abandon(abandoning);
    m_cancelled = true;
    if (underWayCancel != this)
        return;
    underWay->abandon();
    underWayStopped = true;
}

bool PageTrial::Cancel::isCancelled() const
{
    return m_cancelled;
}

PageTrial::Result PageTrial::tried(const PageRequest& request, const QByteArray& content,
    TextEditDocument* pictures, qreal mostHeight, const std::shared_ptr<Cancel>& cancel,
    const std::function<void()>& built)
{
    const std::shared_ptr<Cancel> token = cancel ? cancel : std::make_shared<Cancel>();
    Work work(*token);
    work.request = request;
    work.request.keptAs = ++copies;
    work.content = content;
    work.pictures->readPicturesAs(*pictures);
    work.mostHeight = mostHeight;
    work.scope = scopeOf(pictures);
    work.built = built;
    run(work);
    if (token->isCancelled())
        return cancelled();
    pictures->takePicturesOf(*work.pictures);
    return work.result;
}

// The helper may keep the document as it stands: it travels with the paste
// only when the helper says it does not, or when it changed since the
// helper's copy.
PageTrial::Result PageTrial::triedIn(const PasteTarget& target, const PageRequest& request,
    const QByteArray& content, TextEditDocument* pictures, qreal mostHeight,
    const std::shared_ptr<Cancel>& cancel)
{
    const std::shared_ptr<Cancel> token = cancel ? cancel : std::make_shared<Cancel>();
    Work work(*token);
    work.request = request;
    work.request.keptAs = ++copies;
    work.request.landsIn = target.helperCopy();
    work.content = content;
    work.pictures->readPicturesAs(*pictures);
    work.mostHeight = mostHeight;
    work.scope = target.scope();
    if (work.request.landsIn != 0) {
        run(work);
        if (token->isCancelled())
            return cancelled();
        if (!work.noDocument) {
            pictures->takePicturesOf(*work.pictures);
            return work.result;
        }
    }
    if (token->isCancelled())
        return cancelled();
    if (target.characterCount() > PageRequest::maxDocumentCharacters)
        return {tooLargeRefusal()};
    const QByteArray travelling = documentOf(target);
    if (travelling.size() > PageRequest::maxDocumentBytes)
        return {tooLargeRefusal()};
    work.content = travelling + HelperMessage::of(content);
    work.request.landsIn = 0;
    work.request.base = target.base();
    run(work);
    if (token->isCancelled())
        return cancelled();
    pictures->takePicturesOf(*work.pictures);
    return work.result;
}

quint64 PageTrial::scopeOf(const QObject* document)
{
    static std::mutex numbering;
    static QHash<const QObject*, quint64> scopes;
    static quint64 last = 0;
    const std::lock_guard<std::mutex> lock(numbering);
    const auto known = scopes.constFind(document);
    if (known != scopes.constEnd())
        return known.value();
    scopes.insert(document, ++last);
    QObject::connect(document, &QObject::destroyed, [document] {
        const std::lock_guard<std::mutex> gone(numbering);
        scopes.remove(document);
    });
    return last;
}

void PageTrial::setHelper(const QString& path)
{
    const std::lock_guard<std::mutex> lock(one);
    kept().process.reset();
    kept().program = path;
    spare().clear();
}
