#pragma once

#include <QByteArray>

namespace DAvuroD {

// One end of the socket between the program and an SVG drawing process:
// whole messages of a kind, a few bytes and at most one file descriptor
// each. The descriptor carries what is too large for a message, the text of
// a drawing or its pixels.
class SvgChannel
{
public:
    enum class Kind : char {
        // Program to process: what to draw (SvgRequest), its text as a file.
        Draw,
        // Process to program.
        Ready,
        Canvas,
        Drawn,
        Refused,
    };

    struct Message
    {
        Kind kind = Kind::Refused;
        QByteArray data;
        // Owned by the receiver; -1 for none.
        int fd = -1;
    };

    // The most a message holds besides its descriptor.
    static constexpr int maxMessageSize = 1 << 16;

    // Takes the socket, which closes with the channel.
    explicit SvgChannel(int socket);
    ~SvgChannel();
    SvgChannel(const SvgChannel&) = delete;
    SvgChannel& operator=(const SvgChannel&) = delete;

    int socket() const;
    // False once the other end is gone.
    bool send(Kind kind, const QByteArray& data = QByteArray(), int fd = -1);
    // Waits for the next message; false once the other end is gone or sends
    // what is no message.
    bool receive(Message& message);

private:
    int m_socket;
};

} // namespace DAvuroD
