#pragma once

#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny HTTP server on 127.0.0.1 for the downloader tests. Paths:
// /body, /empty, /missing (404), /cut (shorter than announced), /silent
// (never answers), /large (2048 bytes). A TLS hello is counted and the
// connection dropped.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    LocalHttpServer();

    // The address of path, without a scheme.
    QString address(const QString& path) const;

    QStringList requests;
    int tlsHellos = 0;

private:
    void onConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);

    QTcpServer m_server;
};
