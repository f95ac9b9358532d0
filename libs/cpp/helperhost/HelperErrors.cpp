#include "HelperErrors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

void writeAll(const char* text, size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(STDERR_FILENO, text, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text += written;
        length -= size_t(written);
    }
}

} // namespace

HelperErrors::HelperErrors(const QByteArray& helper)
    : m_helper(helper + ": ")
{
}

HelperErrors::~HelperErrors()
{
    close();
}

bool HelperErrors::open()
{
    close();
    newTask();
    m_atLineStart = true;
    if (::pipe2(m_pipe, O_CLOEXEC) != 0) {
        m_pipe[0] = m_pipe[1] = -1;
        return false;
    }
    return ::fcntl(m_pipe[0], F_SETFL, O_NONBLOCK) == 0;
}

int HelperErrors::helperEnd() const
{
    return m_pipe[1];
}

void HelperErrors::closeHelperEnd()
{
    closeFd(m_pipe[1]);
}

int HelperErrors::programEnd() const
{
    return m_pipe[0];
}

void HelperErrors::newTask()
{
    m_left = mostBytes;
    m_toldLeftOut = false;
}

void HelperErrors::drain()
{
    char text[4096];
    while (m_pipe[0] >= 0) {
        const ssize_t read = ::read(m_pipe[0], text, sizeof(text));
        if (read < 0 && errno == EINTR)
            continue;
        // Once the helper's end is closed, there is nothing more to wait for.
        if (read == 0)
            closeFd(m_pipe[0]);
        if (read <= 0)
            return;
        const int passed = qMin(int(read), m_left);
        pass(text, passed);
        m_left -= passed;
        if (passed < read && !m_toldLeftOut) {
            const QByteArray told = (m_atLineStart ? QByteArray() : QByteArray("\n")) + m_helper
                + "what it wrote beyond this is left out\n";
            writeAll(told.constData(), size_t(told.size()));
            m_atLineStart = true;
            m_toldLeftOut = true;
        }
    }
}

void HelperErrors::close()
{
    closeFd(m_pipe[0]);
    closeFd(m_pipe[1]);
}

// Each line as the helper's.
void HelperErrors::pass(const char* text, int length)
{
    for (int start = 0; start < length;) {
        if (m_atLineStart)
            writeAll(m_helper.constData(), size_t(m_helper.size()));
        int end = start;
        while (end < length && text[end] != '\n')
            ++end;
        m_atLineStart = end < length;
        end += int(m_atLineStart);
        writeAll(text + start, size_t(end - start));
        start = end;
    }
}
