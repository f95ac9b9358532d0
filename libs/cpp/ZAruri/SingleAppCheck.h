#pragma once

#include <QObject>
#include <QSharedMemory>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace ZAruri {

// Tells whether another instance of the application runs for this user, and
// passes it a text. The first instance holds a one-byte shared-memory segment
// and listens on a local socket in the user's runtime folder, both named after
// the key and the user id;
// later instances send their messages to it. An instance left behind by a
// crash (segment or socket still there, nobody answering) is taken over.
// Construction and sending block the calling thread for up to 1000 ms per step;
// receiving never blocks: a message ends when its sender disconnects or falls
// silent for 1000 ms, and is at most 16 MiB long.
class SingleAppCheck : public QObject
{
    Q_OBJECT

public:
    explicit SingleAppCheck(const QString& key);
    ~SingleAppCheck() override;

    // True when another instance was running at construction.
    bool isRunning() const;
    // Delivers the text to the running instance; false when there is none or it fails.
    bool sendMessage(const QString& message);

signals:
    void messageAvailable(QString message);

public slots:
    void slotReceiveMessage();

private:
    QString channelName() const;
    QString socketPath() const;
    bool instanceAnswers() const;
    void becomeFirstInstance();
    void receive(QLocalSocket* connection);
    void finish(QLocalSocket* connection, QTimer* idle, const QByteArray& bytes);

    bool m_running = false;
    QString m_key;
    QSharedMemory m_sharedMemory;
    QLocalServer* m_server = nullptr;
    int m_openConnections = 0;
};

} // namespace ZAruri
