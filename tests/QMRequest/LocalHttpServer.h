#pragma once

#include <QMap>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny HTTP server on 127.0.0.1 for the downloader tests. Paths:
// /body, /moved (to /body), /empty, /missing (404), /cut (shorter than announced),
// /cut-late (the same, the connection closed 20 ms after the body), /silent
// (never answers), /large (2048 bytes), /stalling (1 MiB of 20 announced, then
// silence), /trickle (a byte every 10 ms of a gigabyte announced), /dribble
// (5000 bytes of 100000 announced, then a byte every 10 ms), and the
// bodies set in pages. A TLS
// hello is counted and the connection dropped. Hostile ones: /endless (a
// body without length that goes on), /endless-header (header lines that go
// on), /boasting (announces a terabyte); what they stream stops at 64 MiB
// or when the client hangs up, and is counted in streamed. /bomb sends
// bomb() as deflate-encoded, asked or not.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    LocalHttpServer();

    // The body of /bomb: 64 MiB of zero bytes deflated.
    static QByteArray bomb();
    // The address of path, without a scheme.
    QString address(const QString& path) const;

    QMap<QString, QByteArray> pages;
    QStringList requests;
    int tlsHellos = 0;
    qint64 streamed = 0;

signals:
    // A request arrived and is about to be answered.
    void requested(const QString& path);

private:
    void onConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);
    void stream(QTcpSocket* socket, const QByteArray& head, const QByteArray& piece);
    // Writes head, then a byte every 10 ms.
    void trickle(QTcpSocket* socket, const QByteArray& head);

    QTcpServer m_server;
};
