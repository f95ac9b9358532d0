#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QVector>

// One end of the socket between the program and one of its helper
// processes: whole messages of a kind, a few bytes and a few file
// descriptors each. The descriptors carry what is too large for a message.
// Each message carries a number: the program numbers each task it asks for,
// and a helper repeats the number of the task it answers, so that an answer
// is never taken for another's. Both sides use it, and each reads what
// comes as from a stranger: a packet that is too short, longer than
// maxMessageSize, or carries more than maxFds descriptors is no message.
class HelperChannel
{
public:
    // The kind every helper sends once it is ready to work, with no data;
    // each job numbers its own kinds from firstJobKind.
    static constexpr char readyKind = 0;
    static constexpr char firstJobKind = 1;
    // The most a message holds besides its descriptors.
    static constexpr int maxMessageSize = 1 << 16;
    static constexpr int maxFds = 2;
    // The status a helper ends with when its stack runs out.
    static constexpr int outOfStackStatus = 75;

    // What became of a send: whole, the other end gone, or no room for it
    // before the deadline, the other end reading nothing.
    enum class Sent { Whole, Gone, Late };

    struct Message
    {
        char kind = readyKind;
        quint32 number = 0;
        QByteArray data;
        // Owned by the receiver.
        QVector<int> fds;

        void closeFds();
    };

    // Takes the socket, which closes with the channel.
    explicit HelperChannel(int socket);
    ~HelperChannel();
    HelperChannel(const HelperChannel&) = delete;
    HelperChannel& operator=(const HelperChannel&) = delete;

    int socket() const;
    // The number the messages sent from now on carry; 0 at first.
    quint32 number() const;
    void setNumber(quint32 number);
    // False once the other end is gone. Waits for room as long as it takes.
    bool send(char kind, const QByteArray& data = QByteArray(), const QVector<int>& fds = {});
    // Waits for room until the deadline at most. A message without
    // descriptors goes as one without an address, which a helper's filter
    // lets through.
    Sent send(
        char kind, const QByteArray& data, const QVector<int>& fds, const QDeadlineTimer& deadline);
    // Waits for the next message; false once the other end is gone or sends
    // what is no message, whose descriptors are closed.
    bool receive(Message& message);

private:
    int m_socket;
    quint32 m_number = 0;
    // Taken once: a block this large, asked for after a task freed many
    // small ones (a page's build), has the allocator sort them all first,
    // tens of milliseconds between a task's steps.
    QByteArray m_packet;
};
