#pragma once

#include <QHash>
#include <QObject>
#include <QQueue>
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
// receiving never blocks: a message ends when its sender disconnects, falls
// silent for 1000 ms or has been read for 5 s, and is at most 16 MiB long.
// At most 64 senders are read at once, holding at most 32 MiB together (past
// it the longest message is dropped); 64 more wait their turn, and further
// ones are closed unread.
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
    void receiveWaiting();
    void receive(QLocalSocket* connection);
    bool take(QLocalSocket* connection);
    void finish(QLocalSocket* connection, bool deliver = true);

    bool m_running = false;
    QString m_key;
    QSharedMemory m_sharedMemory;
    QLocalServer* m_server = nullptr;
    // The messages being read, and how many bytes they hold together.
    QHash<QLocalSocket*, QByteArray> m_messages;
    qint64 m_heldBytes = 0;
    QQueue<QLocalSocket*> m_waiting;
};

} // namespace ZAruri
