#include "Bits.h"

#include <algorithm>
#include <iostream>
#include <limits>
#include <utility>

namespace ZAruri {

Bits::Bits(const int& bitCount)
    : m_bitCount(quint32(std::max(bitCount, 0)))
    , m_byteCount(int((m_bitCount + 7) / 8))
{
    m_bytes = new unsigned char[m_byteCount]();
}

Bits::Bits(const Bits& other)
    : m_bytes(new unsigned char[other.m_byteCount])
    , m_bitCount(other.m_bitCount)
    , m_byteCount(other.m_byteCount)
{
    std::copy_n(other.m_bytes, m_byteCount, m_bytes);
}

Bits& Bits::operator=(const Bits& other)
{
    if (&other != this) {
        Bits copied(other);
        swap(copied);
    }
    return *this;
}

Bits::~Bits()
{
    delete[] m_bytes;
}

void Bits::setBit(const unsigned int& position, const int& value)
{
    if (position >= m_bitCount) {
        std::cerr << "Bits::setBit(int,int) Position is out of range" << std::endl;
        return;
    }
    put(position, value != 0);
}

int Bits::getBit(const unsigned int& position) const
{
    return position < m_bitCount ? int(bit(position)) : int(0xFFFFFFFF);
}

void Bits::setCode(const unsigned int& code)
{
    for (unsigned int i = 0; i < 32; ++i)
        setBit(i, (code >> i) & 1);
}

void Bits::setCode(const char* bytes)
{
    std::copy_n(bytes, m_byteCount, m_bytes);
}

quint32 Bits::getCode(const unsigned int& n) const
{
    if (n == 0 || n > m_bitCount || n > 39) {
        std::cerr << "Bits::getCode(int) Out Of Range" << std::endl;
        return 0;
    }
    quint32 code = 0;
    for (quint32 i = 0; i < std::min(n, 32U); ++i)
        code |= quint32(bit(i)) << i;
    return code;
}

int Bits::ror(const unsigned int& n)
{
    if (n == 0 || m_bitCount == 0)
        return 0;
    return rotateRight(n % m_bitCount, (n - 1) % m_bitCount);
}

int Bits::rol(const unsigned int& n)
{
    if (n == 0 || m_bitCount == 0)
        return 0;
    const quint32 length = m_bitCount;
    return rotateRight(
        (length - n % length) % length, (2 * length - 1 - (n - 1) % length) % length);
}

int Bits::shr(const unsigned int& n)
{
    if (n == 0)
        return 0;
    const Bits old(*this);
    for (quint32 i = 0; i < m_bitCount; ++i)
        put(i, quint64(i) + n < m_bitCount && old.bit(i + n));
    return n <= m_bitCount ? old.bit(n - 1) : 0;
}

int Bits::shl(const unsigned int& n)
{
    if (n == 0)
        return 0;
    const Bits old(*this);
    for (quint32 i = 0; i < m_bitCount; ++i)
        put(i, i >= n && old.bit(i - n));
    return n <= m_bitCount ? old.bit(m_bitCount - n) : 0;
}

Bits& Bits::del(const int& n)
{
    const quint32 removed = quint32(std::clamp<qint64>(n, 0, m_bitCount));
    Bits rest(int(m_bitCount - removed));
    for (quint32 i = 0; i < rest.m_bitCount; ++i)
        rest.put(i, bit(i + removed));
    swap(rest);
    return *this;
}

Bits& Bits::cat(const Bits& other)
{
    // The count must still fit the constructor's int.
    if (quint64(m_bitCount) + other.m_bitCount > quint64(std::numeric_limits<int>::max())) {
        std::cerr << "Bits::cat(Bits) Out Of Range" << std::endl;
        return *this;
    }
    Bits joined(int(m_bitCount + other.m_bitCount));
    for (quint32 i = 0; i < m_bitCount; ++i)
        joined.put(i, bit(i));
    for (quint32 j = 0; j < other.m_bitCount; ++j)
        joined.put(m_bitCount + j, other.bit(j));
    swap(joined);
    return *this;
}

void Bits::andOp(const Bits& other)
{
    for (quint32 i = 0; i < m_bitCount; ++i)
        put(i, i < other.m_bitCount && bit(i) && other.bit(i));
}

void Bits::orOp(const Bits& other)
{
    for (quint32 i = 0; i < std::min(m_bitCount, other.m_bitCount); ++i)
        put(i, bit(i) || other.bit(i));
}

void Bits::xorOp(const Bits& other)
{
    for (quint32 i = 0; i < std::min(m_bitCount, other.m_bitCount); ++i)
        put(i, bit(i) != other.bit(i));
}

void Bits::negOp()
{
    for (int i = 0; i < m_byteCount; ++i)
        m_bytes[i] = ~m_bytes[i];
}

void Bits::printOn(std::ostream& stream) const
{
    for (quint32 i = m_bitCount; i-- > 0;)
        stream << (bit(i) ? '1' : '0');
}

void Bits::print() const
{
    for (quint32 i = 0; i < m_bitCount; ++i)
        std::cout << (bit(i) ? '1' : '0');
    std::cout << std::endl;
}

Bits::operator int() const
{
    quint32 value = 0;
    for (int i = 0; i < std::min(m_byteCount, 4); ++i)
        value |= quint32(m_bytes[i]) << (8 * i);
    return int(value);
}

int Bits::rotateRight(quint32 steps, quint32 lastOut)
{
    const Bits old(*this);
    for (quint32 i = 0; i < m_bitCount; ++i)
        put(i, old.bit((i + steps) % m_bitCount));
    return old.bit(lastOut);
}

bool Bits::bit(quint32 position) const
{
    return (m_bytes[position / 8] >> (position % 8)) & 1;
}

void Bits::put(quint32 position, bool value)
{
    const unsigned char mask = 1 << (position % 8);
    if (value)
        m_bytes[position / 8] |= mask;
    else
        m_bytes[position / 8] &= ~mask;
}

void Bits::swap(Bits& other) noexcept
{
    std::swap(m_bytes, other.m_bytes);
    std::swap(m_bitCount, other.m_bitCount);
    std::swap(m_byteCount, other.m_byteCount);
}

} // namespace ZAruri
