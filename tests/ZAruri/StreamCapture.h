#pragma once

#include <QByteArray>

#include <sstream>

// Collects what a standard stream receives while the object lives.
class StreamCapture
{
public:
    explicit StreamCapture(std::ostream& stream)
        : m_stream(stream)
        , m_old(stream.rdbuf(m_text.rdbuf()))
    {
    }
    ~StreamCapture()
    {
        m_stream.rdbuf(m_old);
    }
    QByteArray text() const
    {
        return QByteArray::fromStdString(m_text.str());
    }

private:
    std::ostream& m_stream;
    std::ostringstream m_text;
    std::streambuf* m_old;
};
