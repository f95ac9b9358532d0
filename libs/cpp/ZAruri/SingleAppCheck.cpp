#include "SingleAppCheck.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

namespace ZAruri {

namespace {

const int waitMsecs = 1000;
// The longest message taken; a longer one is dropped.
const qint64 maxMessageBytes = qint64(16) << 20;
// The most held for all messages being read: past it the longest one is
// dropped, so the short message of a real start outlives a flood.
const qint64 maxHeldBytes = qint64(32) << 20;
// What Qt buffers on a connection ahead of the reads here, also while it waits its turn.
const qint64 readAheadBytes = 64 << 10;
// However it trickles, a sender is read no longer than this.
const int messageMsecs = 5000;
// Senders read at the same time, and senders waiting in turn for a free
// one; more are closed unread.
const int maxOpenConnections = 64;
const int maxWaitingConnections = 64;

} // namespace

SingleAppCheck::SingleAppCheck(const QString& key)
    : QObject(nullptr)
    , m_key(key)
{
    m_sharedMemory.setKey(channelName());
    // Attach again when another start created the segment in between.
    if (!m_sharedMemory.attach() && !m_sharedMemory.create(1) && !m_sharedMemory.attach()) {
        qDebug("Unable to create single instance.");
        return;
    }
    // The segment's lock keeps two starts from both taking over.
    m_sharedMemory.lock();
    m_running = instanceAnswers();
    if (!m_running)
        becomeFirstInstance();
    m_sharedMemory.unlock();
}

SingleAppCheck::~SingleAppCheck() = default;

bool SingleAppCheck::isRunning() const
{
    return m_running;
}

bool SingleAppCheck::sendMessage(const QString& message)
{
    if (!m_running)
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath(), QIODevice::WriteOnly);
    if (!socket.waitForConnected(waitMsecs)) {
        qDebug() << socket.errorString();
        return false;
    }
    socket.write(message.toUtf8());
    const QDeadlineTimer deadline(waitMsecs);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) {
            qDebug() << socket.errorString();
            return false;
        }
    }
    socket.disconnectFromServer();
    return true;
}

void SingleAppCheck::slotReceiveMessage()
{
    while (QLocalSocket* connection = m_server->nextPendingConnection()) {
        connection->setReadBufferSize(readAheadBytes);
        if (m_waiting.size() >= maxWaitingConnections) {
            qDebug("Too many connections; one is closed unread.");
            connection->abort();
            connection->deleteLater();
            continue;
        }
        m_waiting.enqueue(connection);
    }
    receiveWaiting();
}

// Starts reading waiting senders, in the order they came, while fewer than
// the most are read.
void SingleAppCheck::receiveWaiting()
{
    while (!m_waiting.isEmpty() && m_messages.size() < maxOpenConnections)
        receive(m_waiting.dequeue());
}

// Reads as data arrive, never blocking: the message ends when the sender disconnects,
// sends nothing for a second or has been read for five.
void SingleAppCheck::receive(QLocalSocket* connection)
{
    m_messages.insert(connection, QByteArray());
    auto* idle = new QTimer(connection);
    idle->setSingleShot(true);
    idle->start(waitMsecs);
    const QDeadlineTimer deadline(messageMsecs);
    connect(connection, &QLocalSocket::readyRead, this, [this, connection, idle, deadline] {
        if (take(connection))
            idle->start(int(qMin<qint64>(waitMsecs, deadline.remainingTime())));
    });
    connect(connection, &QLocalSocket::disconnected, this, [this, connection] {
        if (take(connection))
            finish(connection);
    });
    connect(idle, &QTimer::timeout, this, [this, connection] {
        if (!take(connection))
            return;
        if (m_messages.value(connection).isEmpty())
            qDebug() << QByteArray("Socket operation timed out");
        finish(connection);
    });
    // What arrived, or the whole message, while it waited.
    if (connection->bytesAvailable() > 0 && !take(connection))
        return;
    if (connection->state() == QLocalSocket::UnconnectedState)
        finish(connection);
}

// Adds what arrived to the connection's message; false when that dropped the message.
bool SingleAppCheck::take(QLocalSocket* connection)
{
    QByteArray& message = m_messages[connection];
    const qint64 room = maxMessageBytes + 1 - message.size();
    const QByteArray part = connection->read(qMin(connection->bytesAvailable(), room));
    // Counted as allocated: a growing message holds more than its size.
    const qint64 held = message.capacity();
    message += part;
    m_heldBytes += message.capacity() - held;
    if (message.size() > maxMessageBytes) {
        qDebug("A message longer than %lld bytes is dropped.", maxMessageBytes);
        finish(connection, false);
        return false;
    }
    bool taken = true;
    while (m_heldBytes > maxHeldBytes) {
        QLocalSocket* longest = std::max_element(
            m_messages.cbegin(), m_messages.cend(), [](const QByteArray& a, const QByteArray& b) {
                return a.size() < b.size();
            }).key();
        qDebug("Messages held pass %lld bytes; the longest is dropped.", maxHeldBytes);
        taken = taken && longest != connection;
        finish(longest, false);
    }
    return taken;
}

// Runs once per connection: the socket is deleted only when control returns to
// its event loop, which a receiver's dialog may hold off well past the idle time.
void SingleAppCheck::finish(QLocalSocket* connection, bool deliver)
{
    const QByteArray message = m_messages.take(connection);
    m_heldBytes -= message.capacity();
    disconnect(connection, nullptr, this, nullptr);
    if (auto* idle = connection->findChild<QTimer*>()) {
        disconnect(idle, nullptr, this, nullptr);
        idle->stop();
    }
    // A start that only looked whether this instance answers sends nothing.
    if (message.isEmpty() && connection->error() != QLocalSocket::PeerClosedError
        && connection->error() != QLocalSocket::UnknownSocketError)
        qDebug() << connection->errorString().toLatin1();
    connection->abort();
    connection->deleteLater();
    // A waiting sender takes the freed place once this call is over.
    QTimer::singleShot(0, this, &SingleAppCheck::receiveWaiting);
    if (deliver && !message.isEmpty())
        emit messageAvailable(QString::fromUtf8(message.constData()));
}

QString SingleAppCheck::channelName() const
{
    return m_key + QLatin1Char('-') + QString::number(getuid());
}

// In the user's own runtime folder (mode 0700), where no other user can create the
// socket first and receive this user's messages.
QString SingleAppCheck::socketPath() const
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QLatin1Char('/')
        + channelName();
}

bool SingleAppCheck::instanceAnswers() const
{
    QLocalSocket probe;
    probe.connectToServer(socketPath(), QIODevice::WriteOnly);
    return probe.waitForConnected(waitMsecs);
}

void SingleAppCheck::becomeFirstInstance()
{
    // A socket name left by a crashed instance would block listening.
    QLocalServer::removeServer(socketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleAppCheck::slotReceiveMessage);
    if (!m_server->listen(socketPath()))
        qDebug() << "Unable to receive messages:" << m_server->errorString();
}

} // namespace ZAruri
