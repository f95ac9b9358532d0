#include "MString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char classId[] = "41c69b52-961b-4eee-b5aa-36a830fc3d81";
// The most zero bytes an import adds past the end of its file.
const long maxZeroFill = 1L << 20;

struct FileCloser
{
    void operator()(std::FILE* file) const
    {
        std::fclose(file);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A regular file only: a directory or a device has no size to read. Opened
// without blocking, so that a named pipe is refused instead of waiting for a writer.
File openForReading(const char* fileName, long* size)
{
    const int fd = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    File file(fd >= 0 ? fdopen(fd, "rb") : nullptr);
    if (fd >= 0 && !file)
        ::close(fd);
    struct stat status;
    if (!file || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        throw "can not open the file";
    *size = long(status.st_size);
    return file;
}

// Half of the memory the system can give now: the system overcommits, so an
// allocation far beyond it succeeds and the process is killed while filling it.
unsigned long importableBytes()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    unsigned long kib = 0;
    while (meminfo >> key >> kib) {
        if (key == "MemAvailable:")
            return kib / 2 * 1024;
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return std::numeric_limits<unsigned long>::max();
}

} // namespace

MString::MString()
    : m_objectNumber(counter()++)
{
}

MString::MString(const char* text)
    : MString(text, std::strlen(text))
{
}

MString::MString(const char* bytes, unsigned long length)
    : MString()
{
    assign(bytes, length);
}

MString::MString(unsigned long length)
    : MString()
{
    m_buffer = length ? new char[length] : nullptr;
    m_length = length;
}

MString::MString(const char& byte)
    : MString(&byte, 1)
{
}

MString::MString(const MString& other)
    : MString(other.m_buffer, other.m_length)
{
}

MString& MString::operator=(const MString& other)
{
    return copy(other);
}

int& MString::counter() const
{
    static int live = 0;
    return live;
}

MString::~MString()
{
    delete[] m_buffer;
    --counter();
}

MString& MString::operator+=(const MString& other)
{
    return cat(other);
}

MString MString::operator+(const MString& other) const
{
    MString sum(*this);
    sum.cat(other);
    return sum;
}

char& MString::operator[](const long& index)
{
    return m_buffer[index];
}

const char& MString::operator[](const long& index) const
{
    return m_buffer[index];
}

bool MString::operator==(const MString& other) const
{
    return compare(other);
}

bool MString::operator!=(const MString& other) const
{
    return !compare(other);
}

bool MString::operator>(const MString& other) const
{
    return other < *this;
}

bool MString::operator<(const MString& other) const
{
    const auto* a = reinterpret_cast<const signed char*>(m_buffer);
    const auto* b = reinterpret_cast<const signed char*>(other.m_buffer);
    return std::lexicographical_compare(a, a + m_length, b, b + other.m_length);
}

bool MString::operator>=(const MString& other) const
{
    return *this > other || *this == other;
}

bool MString::operator<=(const MString& other) const
{
    return *this < other || *this == other;
}

void MString::printOn(std::ostream& stream) const
{
    for (unsigned long i = 0; i < m_length; ++i)
        stream.put(m_buffer[i] ? m_buffer[i] : ' ');
}

bool MString::isEmpty() const
{
    return m_length == 0;
}

MString MString::getString(const int& from, const int& to) const
{
    const long size = long(m_length);
    const long begin = std::clamp(long(from), 0L, size);
    const long end = std::clamp(long(to), begin, size);
    return MString(m_buffer + begin, end - begin);
}

MString& MString::copy(const char* text)
{
    assign(text, std::strlen(text));
    return *this;
}

MString& MString::copy(const MString& other)
{
    if (&other != this)
        assign(other.m_buffer, other.m_length);
    return *this;
}

MString& MString::cat(const MString& other)
{
    char* joined = new char[m_length + other.m_length];
    std::copy_n(m_buffer, m_length, joined);
    std::copy_n(other.m_buffer, other.m_length, joined + m_length);
    delete[] m_buffer;
    m_buffer = joined;
    m_length += other.m_length;
    return *this;
}

MString& MString::concat(const MString& other)
{
    return cat(other);
}

void MString::reverse()
{
    std::reverse(m_buffer, m_buffer + m_length);
}

bool MString::compare(const MString& other) const
{
    return m_length == other.m_length && std::equal(m_buffer, m_buffer + m_length, other.m_buffer);
}

void MString::toCStr()
{
    terminate();
}

void MString::toUpper()
{
    for (unsigned long i = 0; i < m_length; ++i) {
        if (m_buffer[i] >= 'a' && m_buffer[i] <= 'z')
            m_buffer[i] -= 32;
    }
}

void MString::toLower()
{
    for (unsigned long i = 0; i < m_length; ++i) {
        if (m_buffer[i] >= 'A' && m_buffer[i] <= 'Z')
            m_buffer[i] += 32;
    }
}

char* MString::getAddress()
{
    return m_buffer;
}

char* MString::data()
{
    return m_buffer;
}

void MString::exportToFile(const char* fileName)
{
    File file(std::fopen(fileName, "wb"));
    if (!file)
        throw "can not create the file";
    std::fwrite(m_buffer, 1, m_length, file.get());
}

void MString::exportToFile(MString& fileName)
{
    fileName.toCStr();
    exportToFile(fileName.m_buffer);
}

void MString::exportToStream(std::ostream& stream)
{
    stream.write(m_buffer, long(std::find(m_buffer, m_buffer + m_length, '\0') - m_buffer));
}

void MString::importFromFile(const char* fileName)
{
    long size = 0;
    openForReading(fileName, &size);
    importFromFile(fileName, 0, size);
}

void MString::importFromFile(MString fileName)
{
    fileName.toCStr();
    importFromFile(fileName.m_buffer);
}

void MString::importFromFile(const char* fileName, const long& offset, const long& count)
{
    long fileSize = 0;
    File file = openForReading(fileName, &fileSize);
    const unsigned long size = std::max(count, 0L);
    // The bytes past the end of the file are zeros; a count far beyond it is refused
    // instead of allocating what no file holds.
    const long available = offset >= 0 ? std::max(fileSize - offset, 0L) : 0L;
    if (long(size) - available > maxZeroFill || size > importableBytes())
        throw "can not read the file";
    char* bytes = new (std::nothrow) char[size];
    if (!bytes)
        throw "can not read the file";
    unsigned long read = 0;
    if (offset >= 0 && std::fseek(file.get(), offset, SEEK_SET) == 0)
        read = std::fread(bytes, 1, size, file.get());
    std::fill(bytes + read, bytes + size, '\0');
    delete[] m_buffer;
    m_buffer = bytes;
    m_length = size;
}

const char* MString::c_str() const
{
    terminate();
    return m_buffer;
}

long MString::find(const MString& pattern, const int& from) const
{
    const long start = std::max(from, 0);
    if (start >= long(m_length))
        return -1;
    const char* begin = m_buffer;
    const char* end = begin + m_length;
    const char* wanted = pattern.m_buffer;
    const char* found = std::search(begin + start, end, wanted, wanted + pattern.m_length);
    return found == end ? -1 : found - begin;
}

unsigned long MString::length() const
{
    return m_length;
}

MString MString::getClassID() const
{
    return MString(classId);
}

MString MString::getObjectID() const
{
    return getClassID() + MString(std::to_string(m_objectNumber).c_str());
}

MString MString::getClassName() const
{
    return MString("MString");
}

int MString::getCounter() const
{
    return counter();
}

void MString::assign(const char* bytes, unsigned long length)
{
    char* copied = length ? new char[length] : nullptr;
    std::copy_n(bytes, length, copied);
    delete[] m_buffer;
    m_buffer = copied;
    m_length = length;
}

void MString::terminate() const
{
    char* terminated = new char[m_length + 1];
    std::copy_n(m_buffer, m_length, terminated);
    terminated[m_length] = '\0';
    delete[] m_buffer;
    m_buffer = terminated;
}
