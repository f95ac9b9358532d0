#include "PageTrial.h"

#include "MemoryFile.h"
#include "PageProcess.h"
#include "PageRequest.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QScopeGuard>
#include <QSize>
#include <QStringList>
#include <QVector>

#include <mutex>
#include <unistd.h>

namespace {

using Kind = PageProcess::Kind;
using Message = PageProcess::Channel::Message;

// The most the names of a page's pictures take: each stands in the page.
constexpr qint64 maxNamesSize = qint64(TextEditReader::maxFileSize) * 4;

QString besideProgram()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath() + '/'
        + QLatin1String(PageTrial::helperName);
}

// The process, kept for the pages after; never deleted, as it ends with the
// program. Held with the lock.
std::mutex one;
std::unique_ptr<PageProcess>& process()
{
    static auto* const kept = new std::unique_ptr<PageProcess>(new PageProcess(besideProgram()));
    return *kept;
}

template <typename... Values> bool readInto(const QByteArray& data, Values&... values)
{
    QDataStream in(data);
    (in >> ... >> values);
    return in.status() == QDataStream::Ok && in.atEnd();
}

// The sizes the window's layout gives the pictures named, as the document
// reads them.
QVector<QSize> sizesOf(const QStringList& names, TextEditDocument* pictures)
{
    QVector<QSize> sizes;
    sizes.reserve(names.size());
    for (const QString& name : names) {
        const QVariant resource
            = pictures->resource(QTextDocument::ImageResource, PageRequest::pictureUrl(name));
        const QImage image = resource.userType() == QMetaType::QPixmap
            ? resource.value<QPixmap>().toImage()
            : resource.value<QImage>();
        sizes.append((QSizeF(image.size()) / image.devicePixelRatio()).toSize());
    }
    return sizes;
}

bool is(const Message& message, Kind kind)
{
    return message.kind == PageProcess::Channel::Kind(kind);
}

QString notLaidOut(const QString& why)
{
    return PageTrial::tr("It could not be laid out: %1.").arg(why);
}

QString stoppedWhy(PageProcess& page, PageProcess::Outcome outcome, qint64 residentBefore,
    const PageProcess::Limits& limits)
{
    if (outcome == PageProcess::Outcome::Ended)
        return notLaidOut(page.endedWhy());
    page.kill();
    switch (outcome) {
    case PageProcess::Outcome::Cpu:
        return PageTrial::tr("It takes longer than %1 s to lay out, more than this editor gives "
                             "a page.")
            .arg(limits.cpuMs / 1000.0);
    case PageProcess::Outcome::Memory:
        return PageTrial::tr("It needs more than %1 MB to lay out, more than this editor gives "
                             "a page.")
            .arg((limits.residentBytes - residentBefore) >> 20);
    default:
        return PageTrial::tr("It was still not laid out after waiting %1 s for its files.")
            .arg(limits.waitingMs / 1000.0);
    }
}

// Tells the process the sizes of the pictures it names; false when it
// names them amiss or is gone.
bool sendSizes(PageProcess& page, const QByteArray& namesFile, TextEditDocument* pictures)
{
    QStringList names;
    if (!readInto(namesFile, names))
        return false;
    QByteArray sizes;
    QDataStream out(&sizes, QIODevice::WriteOnly);
    out << sizesOf(names, pictures);
    const int file = MemoryFile::of(sizes);
    const bool sent = file >= 0 && page.send(Kind::Pictures, QByteArray(), file);
    if (file >= 0)
        ::close(file);
    return sent;
}

// The process's answers, read as from a stranger: the pictures' names
// once, then the measures or the reader's refusal; anything else ends it.
PageTrial::Result answer(PageProcess& page, const PageProcess::Limits& limits,
    TextEditDocument* pictures, qreal mostHeight)
{
    const qint64 residentBefore = limits.residentBytes - PageTrial::memoryMargin;
    bool sized = false;
    for (;;) {
        Message message;
        const PageProcess::Outcome outcome = page.next(message, limits);
        if (outcome != PageProcess::Outcome::Message)
            return {stoppedWhy(page, outcome, residentBefore, limits)};
        const int fd = message.fd;
        const auto closeFd = qScopeGuard([fd] {
            if (fd >= 0)
                ::close(fd);
        });
        qreal height = 0;
        qint64 ms = 0;
        QString why;
        if (is(message, Kind::Pictures) && !sized && message.data.isEmpty()
            && sendSizes(page, MemoryFile::read(fd, maxNamesSize), pictures)) {
            sized = true;
            // The program's reading was no wait of the process.
            page.restartWaiting();
        } else if (is(message, Kind::Measured) && fd < 0 && readInto(message.data, height, ms)) {
            return {height <= mostHeight ? QString() : TextEditReader::heightRefusal(), height, ms};
        } else if (is(message, Kind::Refused) && fd < 0 && readInto(message.data, why)) {
            return {why};
        } else {
            page.kill();
            return {notLaidOut(QStringLiteral("its layout process answered amiss"))};
        }
    }
}

} // namespace

PageTrial::Result PageTrial::tried(const PageRequest& request, const QByteArray& content,
    TextEditDocument* pictures, qreal mostHeight)
{
    const std::lock_guard<std::mutex> lock(one);
    PageProcess& page = *process();
    const QString why = page.start();
    if (!why.isEmpty())
        return Result {notLaidOut(why)};
    PageProcess::Limits limits {cpuLimitMs, waitingLimitMs, page.residentBytes() + memoryMargin};
    const int file = MemoryFile::of(content);
    page.restartClocks();
    const bool sent = file >= 0 && page.send(Kind::Page, request.toMessage(), file);
    if (file >= 0)
        ::close(file);
    if (!sent)
        return Result {notLaidOut(page.endedWhy())};
    return answer(page, limits, pictures, mostHeight);
}

void PageTrial::setHelper(const QString& path)
{
    const std::lock_guard<std::mutex> lock(one);
    process() = std::make_unique<PageProcess>(path);
}
