#pragma once

#include <ostream>

// A counted heap byte string without terminator. Every object takes a number
// from a class-wide counter of live objects. The file operations throw a
// C string ("can not open the file", "can not create the file", "can not read
// the file").
// Not thread-safe: the counter is a plain int.
class MString
{
public:
    MString();
    MString(const char* text);
    MString(const char* bytes, unsigned long length);
    explicit MString(unsigned long length);
    MString(const char& byte);
    MString(const MString& other);
    MString& operator=(const MString& other);

    // The number of live objects, shared by the whole class.
    virtual int& counter() const;
    virtual ~MString();

    virtual MString& operator+=(const MString& other);
    virtual MString operator+(const MString& other) const;
    // No bounds check: the index must be below length().
    virtual char& operator[](const long& index);
    virtual const char& operator[](const long& index) const;
    virtual bool operator==(const MString& other) const;
    virtual bool operator!=(const MString& other) const;
    // Lexicographic, bytes compared as signed 8-bit values.
    virtual bool operator>(const MString& other) const;
    virtual bool operator<(const MString& other) const;
    virtual bool operator>=(const MString& other) const;
    virtual bool operator<=(const MString& other) const;
    // The bytes as text, each zero byte written as a space.
    virtual void printOn(std::ostream& stream) const;
    virtual bool isEmpty() const;
    // Bytes from `from` up to, not including, `to`; positions are clamped to
    // the string and a reversed range gives an empty string.
    virtual MString getString(const int& from, const int& to) const;
    virtual MString& copy(const char* text);
    virtual MString& copy(const MString& other);
    virtual MString& cat(const MString& other);
    virtual MString& concat(const MString& other);
    virtual void reverse();
    virtual bool compare(const MString& other) const;
    // Appends a zero byte after the last byte; the length stays.
    virtual void toCStr();
    virtual void toUpper();
    virtual void toLower();
    virtual char* getAddress();
    virtual char* data();
    virtual void exportToFile(const char* fileName);
    virtual void exportToFile(MString& fileName);
    // The bytes up to the first zero byte.
    virtual void exportToStream(std::ostream& stream);
    // Regular files only: anything else throws "can not open the file" at once.
    // What would take more than half the memory available throws "can not read the file".
    virtual void importFromFile(const char* fileName);
    virtual void importFromFile(MString fileName);
    // `count` bytes from `offset`; what lies beyond the file's end reads as zero bytes,
    // at most 1 MiB of them: a larger count throws "can not read the file".
    virtual void importFromFile(const char* fileName, const long& offset, const long& count);
    virtual const char* c_str() const;
    // Index of `pattern` at or after `from`, or -1. An empty pattern is found
    // at `from` when `from` is inside the string; a negative `from` counts as 0.
    virtual long find(const MString& pattern, const int& from) const;
    virtual unsigned long length() const;
    virtual MString getClassID() const;
    // The class ID immediately followed by the object number.
    virtual MString getObjectID() const;
    virtual MString getClassName() const;
    virtual int getCounter() const;

private:
    void assign(const char* bytes, unsigned long length);
    void terminate() const;

    int m_objectNumber;
    mutable char* m_buffer = nullptr;
    unsigned long m_length = 0;
};
