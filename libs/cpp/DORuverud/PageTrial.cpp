#include "PageTrial.h"

#include "HelperMessage.h"
#include "HelperProcess.h"
#include "MemoryFile.h"
#include "PageRequest.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QDataStream>
#include <QElapsedTimer>
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

// The helper, kept for the pages after; never deleted, as it ends with the
// program. Held with the lock.
std::mutex one;
std::unique_ptr<HelperProcess>& helper()
{
    static auto* const kept = new std::unique_ptr<HelperProcess>(std::make_unique<HelperProcess>(
        HelperProcess::besideProgram(QLatin1String(PageTrial::helperName))));
    return *kept;
}

QString notLaidOut(const QString& why)
{
    return PageTrial::tr("It could not be laid out in this editor: %1.").arg(why);
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

// A trial in the helper, its answers read as from a stranger: once the
// names of pictures, as many as a page may name, then the measures or the
// reader's refusal; anything else ends it.
class Trial
{
public:
    Trial(HelperProcess& helper, HelperProcess::Limits limits, int namesFile,
        TextEditDocument* pictures)
        : m_helper(helper)
        , m_limits(limits)
        , m_namesFile(namesFile)
        , m_pictures(pictures)
    {
    }

    PageTrial::Result answer(qreal mostHeight)
    {
        for (;;) {
            HelperChannel::Message message;
            const HelperProcess::Outcome outcome = m_helper.next(message, m_limits);
            if (outcome != HelperProcess::Outcome::Message)
                return {stopped(outcome)};
            qreal height = 0;
            qint64 ms = 0;
            QString why;
            if (message.kind == PageRequest::Pictures && !m_sized && takeNames(message.data))
                continue;
            // Up or down: margins below zero lay a document out upwards.
            if (message.kind == PageRequest::Measured
                && HelperMessage::read(message.data, height, ms))
                return {qAbs(height) <= mostHeight ? QString() : TextEditReader::heightRefusal(),
                    height, ms};
            if (message.kind == PageRequest::Refused && HelperMessage::read(message.data, why))
                return {why};
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
        QByteArray sizes;
        QDataStream out(&sizes, QIODevice::WriteOnly);
        out << sizesOf(names, m_pictures);
        const int file = MemoryFile::of(sizes);
        const bool sent = file >= 0 && m_helper.send(PageRequest::Sizes, QByteArray(), {file});
        if (file >= 0)
            ::close(file);
        m_limits.waitMs += reading.elapsed();
        m_limits.totalMs += reading.elapsed();
        return sent;
    }

    QString stopped(HelperProcess::Outcome outcome)
    {
        const QString why = m_helper.stop(outcome, m_limits);
        switch (outcome) {
        case HelperProcess::Outcome::Cpu:
        case HelperProcess::Outcome::Total:
            return PageTrial::tr("It takes longer than %1 s to lay out, more than this editor "
                                 "gives a page.")
                .arg(PageTrial::cpuLimitMs / 1000.0);
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
    TextEditDocument* const m_pictures;
    bool m_sized = false;
};

} // namespace

PageTrial::Result PageTrial::tried(const PageRequest& request, const QByteArray& content,
    TextEditDocument* pictures, qreal mostHeight)
{
    const std::lock_guard<std::mutex> lock(one);
    HelperProcess& page = *helper();
    HelperProcess::Limits limits {cpuLimitMs, waitLimitMs, cpuLimitMs + waitLimitMs, memoryMargin};
    bool outOfTime = false;
    const QString why = page.begin(limits, outOfTime);
    if (!why.isEmpty())
        return Result {notLaidOut(why)};
    const int file = MemoryFile::of(content);
    const int names = MemoryFile::sized(PageRequest::maxNamesBytes);
    const auto closeFiles = qScopeGuard([file, names] {
        for (const int fd : {file, names}) {
            if (fd >= 0)
                ::close(fd);
        }
    });
    if (file < 0 || names < 0)
        return Result {notLaidOut(tr("no memory for its bytes"))};
    if (!page.send(PageRequest::Page, request.toMessage(), {file, names}))
        return Result {notLaidOut(page.stop(HelperProcess::Outcome::Ended, limits))};
    return Trial(page, limits, names, pictures).answer(mostHeight);
}

void PageTrial::setHelper(const QString& path)
{
    const std::lock_guard<std::mutex> lock(one);
    helper() = std::make_unique<HelperProcess>(path);
}
