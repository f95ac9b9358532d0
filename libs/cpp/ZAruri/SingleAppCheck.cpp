#include "SingleAppCheck.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

#include <unistd.h>

namespace ZAruri {

namespace {

const int waitMsecs = 1000;
// The longest message taken; a longer one is dropped unread.
const qint64 maxMessageBytes = qint64(16) << 20;
// Senders read at the same time; more are closed unread.
const int maxOpenConnections = 64;

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
        if (m_openConnections >= maxOpenConnections) {
            qDebug("Too many connections; one is closed unread.");
            connection->abort();
            connection->deleteLater();
            continue;
        }
        ++m_openConnections;
        receive(connection);
    }
}

// Reads as data arrive, never blocking: the message ends when the sender disconnects or
// sends nothing for a second.
void SingleAppCheck::receive(QLocalSocket* connection)
{
    auto* idle = new QTimer(connection);
    idle->setSingleShot(true);
    idle->start(waitMsecs);
    auto bytes = std::make_shared<QByteArray>();
    connect(connection, &QLocalSocket::readyRead, this, [this, connection, idle, bytes] {
        *bytes += connection->read(maxMessageBytes + 1 - bytes->size());
        if (bytes->size() > maxMessageBytes) {
            qDebug("A message longer than %lld bytes is dropped.", maxMessageBytes);
            bytes->clear();
            finish(connection, idle, QByteArray());
            return;
        }
        idle->start(waitMsecs);
    });
    connect(connection, &QLocalSocket::disconnected, this,
        [this, connection, idle, bytes] { finish(connection, idle, *bytes); });
    connect(idle, &QTimer::timeout, this, [this, connection, idle, bytes] {
        if (bytes->isEmpty())
            qDebug() << QByteArray("Socket operation timed out");
        finish(connection, idle, *bytes);
    });
}

// Runs once per connection: the socket is deleted only when control returns to
// its event loop, which a receiver's dialog may hold off well past the idle time.
void SingleAppCheck::finish(QLocalSocket* connection, QTimer* idle, const QByteArray& bytes)
{
    disconnect(connection, nullptr, this, nullptr);
    disconnect(idle, nullptr, this, nullptr);
    idle->stop();
    --m_openConnections;
    // A start that only looked whether this instance answers sends nothing.
    if (bytes.isEmpty() && connection->error() != QLocalSocket::PeerClosedError
        && connection->error() != QLocalSocket::UnknownSocketError)
        qDebug() << connection->errorString().toLatin1();
    connection->abort();
    connection->deleteLater();
    if (!bytes.isEmpty())
        emit messageAvailable(QString::fromUtf8(bytes.constData()));
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
