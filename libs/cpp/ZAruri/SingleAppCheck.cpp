#include "SingleAppCheck.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace ZAruri {

namespace {

const int waitMsecs = 1000;

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
    socket.connectToServer(channelName(), QIODevice::WriteOnly);
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
    QLocalSocket* connection = m_server->nextPendingConnection();
    if (!connection)
        return;
    // The sender disconnects after its last byte.
    QByteArray bytes;
    const QDeadlineTimer deadline(waitMsecs);
    while (connection->state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
        connection->waitForReadyRead(int(deadline.remainingTime()));
        bytes += connection->readAll();
    }
    bytes += connection->readAll();
    if (bytes.isEmpty()) {
        // A start that only looked whether this instance answers sends nothing.
        if (connection->error() != QLocalSocket::PeerClosedError)
            qDebug() << connection->errorString().toLatin1();
        return;
    }
    emit messageAvailable(QString::fromUtf8(bytes.constData()));
    connection->disconnectFromServer();
}

QString SingleAppCheck::channelName() const
{
    return m_key + QLatin1Char('-') + QString::number(getuid());
}

bool SingleAppCheck::instanceAnswers() const
{
    QLocalSocket probe;
    probe.connectToServer(channelName(), QIODevice::WriteOnly);
    return probe.waitForConnected(waitMsecs);
}

void SingleAppCheck::becomeFirstInstance()
{
    // A socket name left by a crashed instance would block listening.
    QLocalServer::removeServer(channelName());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleAppCheck::slotReceiveMessage);
    m_server->listen(channelName());
}

} // namespace ZAruri
