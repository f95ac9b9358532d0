// tessivar-page: the program's page helper. It lays out the pages the
// program sends on its standard input, a socket, confined, and is kept
// within its limits by the program.
#include "HelperChannel.h"
#include "HelperConfinement.h"
#include "HelperMessage.h"
#include "MemoryFile.h"
#include "PageLayout.h"
#include "PageRequest.h"
#include "PageTheme.h"
#include "TextEditReader.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QTextDocument>
#include <QVector>

#include <cstring>
#include <ctime>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The most a page's bytes take: a paste's text may be up to the reader's
// bound in UTF-8.
constexpr qint64 maxPageSize = qint64(TextEditReader::maxFileSize) * 3;

qint64 cpuMs()
{
    timespec used {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return qint64(used.tv_sec) * 1000 + used.tv_nsec / 1000000;
}

// Writes the names into the program's file for them; false where they do
// not fit, which no page of the reader's size makes.
bool writeNames(int fd, const QStringList& names, qint64* length)
{
    const QByteArray bytes = HelperMessage::of(names);
    *length = bytes.size();
    if (fd < 0 || bytes.size() > PageRequest::maxNamesBytes)
        return false;
    void* data = ::mmap(nullptr, size_t(bytes.size()), PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED)
        return false;
    std::memcpy(data, bytes.constData(), size_t(bytes.size()));
    ::munmap(data, size_t(bytes.size()));
    return true;
}

// Asks the program for the pictures' sizes; false when it answers amiss.
bool askSizes(
    HelperChannel& channel, int namesFile, const QStringList& names, QVector<QSize>* sizes)
{
    qint64 length = 0;
    HelperChannel::Message answer;
    if (!writeNames(namesFile, names, &length)
        || !channel.send(PageRequest::Pictures, HelperMessage::of(length))
        || !channel.receive(answer))
        return false;
    const QByteArray list = MemoryFile::read(answer.fds.value(0, -1), qint64(names.size()) * 8 + 4);
    answer.closeFds();
    return answer.kind == PageRequest::Sizes && HelperMessage::read(list, *sizes)
        && sizes->size() == names.size();
}

struct Answer
{
    char kind = 0;
    QByteArray data;
};

// Lays out the page or the paste asked for, a paste in the document that
// travels with it or that the helper keeps, and tells what came of it, the
// time counted from the document built; false when the program asked amiss.
bool layOut(HelperChannel& channel, PageLayout& layout, PageTheme& theme,
    const HelperChannel::Message& asked, Answer* answer)
{
    PageRequest request;
    QByteArray content
        = MemoryFile::read(asked.fds.value(0, -1), PageRequest::maxDocumentBytes + maxPageSize);
    const int namesFile = asked.fds.value(1, -1);
    if (asked.kind != PageRequest::Page || !request.fromMessage(asked.data)
        || (request.source == PageRequest::Source::File && content.size() > maxPageSize))
        return false;
    theme.setFixedFont(request.fixedFont);
    if (request.source != PageRequest::Source::File && request.landsIn == 0
        && !layout.keep(request, &content))
        return false;
    const qint64 start = cpuMs();
    if (!layout.take(request, content)) {
        *answer = Answer {PageRequest::NoDocument, QByteArray()};
        return true;
    }
    if (!layout.refusal().isEmpty()) {
        *answer = Answer {PageRequest::Refused, HelperMessage::of(layout.refusal())};
        return true;
    }
    QVector<QSize> sizes;
    if (!layout.pictureNames().isEmpty()
        && !askSizes(channel, namesFile, layout.pictureNames(), &sizes))
        return false;
    // The program builds the page meanwhile.
    if (request.source == PageRequest::Source::File && !channel.send(PageRequest::Built))
        return false;
    const qreal height = layout.layOut(sizes);
    *answer = Answer {PageRequest::Measured, HelperMessage::of(height, cpuMs() - start)};
    return true;
}

// Lays a word out once in the faces and blocks pages use most, so that a
// helper forked after starts with their fonts at hand.
void warmUp()
{
    QTextDocument word;
    word.setHtml(QStringLiteral("<h1>Ag</h1><h2>Ag</h2><h3>Ag</h3><p>Ag <b>Ag</b> <i>Ag</i> "
                                "<code>Ag</code> <a href=\"#\">Ag</a></p><pre>Ag</pre>"
                                "<ul><li>Ag</li></ul><table><tr><td>Ag</td></tr></table>"));
    word.setTextWidth(400);
    word.size();
}

} // namespace

int main(int argc, char** argv)
{
    HelperConfinement::begin(STDIN_FILENO);
    // Fonts as the program has them, and no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    PageTheme* theme = PageTheme::install();
    HelperConfinement::forkHelpers(warmUp);
    HelperChannel channel(STDIN_FILENO);
    if (!HelperConfinement::seal())
        ::_exit(1);
    channel.send(HelperChannel::readyKind);
    PageLayout layout;
    HelperChannel::Message asked;
    while (channel.receive(asked)) {
        channel.setNumber(asked.number);
        Answer answer;
        const bool laidOut = layOut(channel, layout, *theme, asked, &answer);
        // Nothing of the task is left once it answered: the program stops it then.
        asked.closeFds();
        if (!laidOut || !channel.send(answer.kind, answer.data))
            ::_exit(1);
    }
    // No exit handlers: the filter refuses what some of them need.
    ::_exit(0);
}
