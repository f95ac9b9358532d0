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

// The bytes of the valid UTF-8 character starting at text[0]; 0 for a byte
// that starts none, -1 for one the text ends in before it is whole.
int characterLength(const uchar* text, int length)
{
    const uchar lead = text[0];
    const int bytes = lead >= 0xC2 && lead <= 0xDF ? 2
        : lead >= 0xE0 && lead <= 0xEF             ? 3
        : lead >= 0xF0 && lead <= 0xF4             ? 4
                                                   : 0;
    // The second byte's range rules out overlong forms, surrogates and
    // what lies past U+10FFFF.
    const uchar low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const uchar high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (int i = 1; i < bytes; ++i) {
        if (i == length)
            return -1;
        if (text[i] < (i == 1 ? low : 0x80) || text[i] > (i == 1 ? high : 0xBF))
            return 0;
    }
    return bytes;
}

void appendByte(QByteArray& out, uchar byte)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 15];
}

// The text with every control byte but the line end (C0, DEL and C1), and
// every byte of no valid character, written as \xHH; a character the text
// ends in before it is whole is left in unfinished, unless final.
QByteArray escaped(QByteArray text, QByteArray& unfinished, bool final)
{
    text.prepend(unfinished);
    unfinished.clear();
    QByteArray out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const uchar*>(text.constData());
    for (int i = 0; i < text.size();) {
        const uchar byte = bytes[i];
        if (byte < 0x80) {
            if ((byte < 0x20 && byte != '\n') || byte == 0x7F)
                appendByte(out, byte);
            else
                out += char(byte);
            ++i;
            continue;
        }
        const int length = characterLength(bytes + i, text.size() - i);
        if (length < 0 && !final) {
            unfinished = text.mid(i);
            break;
        }
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
        const bool control = length == 2 && byte == 0xC2 && bytes[i + 1] <= 0x9F;
        if (length <= 0 || control) {
            for (int j = 0; j < qMax(1, length); ++j)
                appendByte(out, bytes[i + j]);
            i += qMax(1, length);
            continue;
        }
        out.append(text.constData() + i, length);
        i += length;
    }
    return out;
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
        if (read == 0) {
            closeFd(m_pipe[0]);
            write(escaped(QByteArray(), m_unfinished, true));
        }
        if (read <= 0)
            return;
        const int passed = qMin(int(read), m_left);
        pass(text, passed);
        m_left -= passed;
        if (passed < read && !m_toldLeftOut) {
            write(escaped(QByteArray(), m_unfinished, true));
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
    m_unfinished.clear();
}

void HelperErrors::pass(const char* text, int length)
{
    write(escaped(QByteArray(text, length), m_unfinished, false));
}

// Each line as the helper's.
void HelperErrors::write(const QByteArray& escaped)
{
    for (int start = 0; start < escaped.size();) {
        if (m_atLineStart)
            writeAll(m_helper.constData(), size_t(m_helper.size()));
        int end = escaped.indexOf('\n', start);
        m_atLineStart = end >= 0;
        end = end < 0 ? escaped.size() : end + 1;
        writeAll(escaped.constData() + start, size_t(end - start));
        start = end;
    }
}
