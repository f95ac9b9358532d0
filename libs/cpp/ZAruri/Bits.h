#pragma once

#include <QtGlobal>

#include <ostream>

namespace ZAruri {

// A bit string packed into bytes: bit i lives in byte i / 8 at weight
// 2^(i % 8). Out-of-range positions are reported on standard error and ignored.
class Bits
{
public:
    explicit Bits(const int& bitCount);
    Bits(const Bits& other);
    Bits& operator=(const Bits& other);
    virtual ~Bits();

    void setBit(const unsigned int& position, const int& value);
    // 0 or 1; 0xFFFFFFFF for a position out of range.
    int getBit(const unsigned int& position) const;
    // Bits 0 to 31 from the number.
    void setCode(const unsigned int& code);
    // The bytes, as many as the string holds, copied raw.
    void setCode(const char* bytes);
    // The lowest n bits (1 to 39) as a number; bits from 32 up do not fit and are dropped.
    quint32 getCode(const unsigned int& n) const;

    // Rotations and shifts by n positions; each returns the bit that went
    // round or out last (0 when n is 0 or a shift runs past the length).
    int ror(const unsigned int& n);
    int rol(const unsigned int& n);
    int shr(const unsigned int& n);
    int shl(const unsigned int& n);

    // Removes the lowest n bits, or all of them when there are fewer.
    Bits& del(const int& n);
    // Appends the other string's bits above the existing ones; a joined count beyond
    // INT_MAX is reported as out of range and changes nothing.
    Bits& cat(const Bits& other);
    // Bits beyond the other's length: cleared by andOp, kept by orOp and xorOp.
    void andOp(const Bits& other);
    void orOp(const Bits& other);
    void xorOp(const Bits& other);
    // Inverts every byte, the spare bits above the length included.
    void negOp();

    // Highest bit first, no line feed.
    void printOn(std::ostream& stream) const;
    // Lowest bit first on standard output, then a line feed.
    void print() const;
    // The first four bytes as a little-endian number.
    operator int() const;

private:
    bool bit(quint32 position) const;
    void put(quint32 position, bool value);
    // Returns the old bit at lastOut: the one that went round last.
    int rotateRight(quint32 steps, quint32 lastOut);
    void swap(Bits& other) noexcept;

    unsigned char* m_bytes = nullptr;
    quint32 m_bitCount = 0;
    int m_byteCount = 0;
};

} // namespace ZAruri
