#include "LocalHttpServer.h"

#include <QTimer>

namespace {
const qint64 maxStreamed = qint64(64) << 20;

QByteArray response(const QByteArray& status, const QByteArray& body, qint64 length,
    const QByteArray& headers = QByteArray())
{
    return "HTTP/1.1 " + status + "\r\n" + headers
        + "Connection: close\r\nContent-Length: " + QByteArray::number(length) + "\r\n\r\n" + body;
}
} // namespace

LocalHttpServer::LocalHttpServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::onConnection);
}

QByteArray LocalHttpServer::bomb()
{
    // A zlib stream, without qCompress's length prefix.
    static const QByteArray body = qCompress(QByteArray(int(maxStreamed), '\0'), 9).mid(4);
    return body;
}

QString LocalHttpServer::address(const QString& path) const
{
    return QStringLiteral("127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

void LocalHttpServer::onConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection())
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
}

void LocalHttpServer::onReadyRead(QTcpSocket* socket)
{
    if (socket->peek(1) == QByteArray(1, '\x16')) {
        ++tlsHellos;
        socket->abort();
        return;
    }
    if (!socket->peek(65536).contains("\r\n\r\n"))
        return;
    const QList<QByteArray> requestLine = socket->readAll().split('\n').first().split(' ');
    const QString path = QString::fromLatin1(requestLine.value(1));
    requests += path;
    emit requested(path);
    answer(socket, path);
}

void LocalHttpServer::answer(QTcpSocket* socket, const QString& path)
{
    if (path == QLatin1String("/silent"))
        return;
    if (path == QLatin1String("/endless"))
        return stream(
            socket, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", QByteArray(65536, 'a'));
    if (path == QLatin1String("/endless-header"))
        return stream(socket, "HTTP/1.1 200 OK\r\n", QByteArray(60, 'h') + ": x\r\n");
    if (path == QLatin1String("/boasting"))
        return stream(socket, response("200 OK", "", 1LL << 40), QByteArray(65536, 'a'));
    if (path == QLatin1String("/stalling")) {
        socket->write(response("200 OK", QByteArray(1 << 20, 'a'), 20 << 20));
        return;
    }
    if (path == QLatin1String("/cut-late")) {
        // The hang-up apart from the body, as from a server that stalls or is slow to close.
        socket->write(response("200 OK", "0123456789", 100));
        QTimer::singleShot(20, socket, &QTcpSocket::disconnectFromHost);
        return;
    }
    if (path == QLatin1String("/trickle"))
        return trickle(socket, response("200 OK", "", 1 << 30));
    if (path == QLatin1String("/dribble"))
        return trickle(socket, response("200 OK", QByteArray(5000, 'a'), 100000));
    if (path == QLatin1String("/bomb"))
        socket->write(response("200 OK", bomb(), bomb().size(), "Content-Encoding: deflate\r\n"));
    else if (pages.contains(path))
        socket->write(response("200 OK", pages.value(path), pages.value(path).size()));
    else if (path == QLatin1String("/body"))
        socket->write(response("200 OK", "chord chart", 11));
    else if (path == QLatin1String("/large"))
        socket->write(response("200 OK", QByteArray(2048, 'a'), 2048));
    else if (path == QLatin1String("/moved"))
        socket->write("HTTP/1.1 301 Moved Permanently\r\nConnection: close\r\nLocation: /body\r\n"
                      "Content-Length: 5\r\n\r\nmoved");
    else if (path == QLatin1String("/empty"))
        socket->write(response("200 OK", "", 0));
    else if (path == QLatin1String("/cut"))
        socket->write(response("200 OK", "0123456789", 100));
    else
        socket->write(response("404 Not Found", "not here", 8));
    socket->disconnectFromHost();
}

// Writes head, then piece again whenever the last one has gone out.
void LocalHttpServer::stream(QTcpSocket* socket, const QByteArray& head, const QByteArray& piece)
{
    socket->write(head);
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket, piece] {
        if (socket->bytesToWrite() > 0 || socket->state() != QAbstractSocket::ConnectedState)
            return;
        if (streamed >= maxStreamed)
            return socket->disconnectFromHost();
        streamed += socket->write(piece);
    });
}

void LocalHttpServer::trickle(QTcpSocket* socket, const QByteArray& head)
{
    socket->write(head);
    auto* timer = new QTimer(socket);
    connect(timer, &QTimer::timeout, socket, [socket] { socket->write("a"); });
    timer->start(10);
}
