#include "../common/GuiStalls.h"
#include "../common/PeakMemory.h"
#include "../common/RunawayBound.h"
#include "SingleAppCheck.h"

#include <QtTest>

#include <QLocalSocket>

#include <cstdio>
#include <memory>
#include <vector>

#include <unistd.h>

using ZAruri::SingleAppCheck;

namespace {

const char instanceArgument[] = "--instance";

// Where the first instance listens: the user's runtime folder.
QString socketPath(const QString& key)
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + '/' + key + '-'
        + QString::number(getuid());
}

const int floodSenders = 64;

// One long message, written in pieces of 64 KiB as the socket takes them.
class FloodSender : public QLocalSocket
{
public:
    FloodSender()
    {
        connect(this, &QLocalSocket::bytesWritten, this, &FloodSender::more);
    }
    void more()
    {
        static const QByteArray piece(64 << 10, 'f');
        for (; m_sent < (16 << 20) && bytesToWrite() < piece.size(); m_sent += piece.size())
            write(piece);
        if (m_sent == (16 << 20) && bytesToWrite() == 0)
            disconnectFromServer();
    }

private:
    int m_sent = 0;
};

// Connects 64 senders, prints "flooding", sends 16 MiB on each at once and ends
// when every connection has.
int flood(const QString& key)
{
    std::vector<std::unique_ptr<FloodSender>> senders(floodSenders);
    int open = floodSenders;
    for (auto& sender : senders) {
        sender = std::make_unique<FloodSender>();
        sender->connectToServer(socketPath(key));
        if (!sender->waitForConnected(1000))
            return 1;
        QObject::connect(sender.get(), &QLocalSocket::disconnected, [&open] {
            if (--open == 0)
                QCoreApplication::quit();
        });
    }
    std::printf("flooding\n");
    std::fflush(stdout);
    for (auto& sender : senders)
        sender->more();
    return QCoreApplication::exec();
}

// The test binary started again as another instance of an application:
//   --instance send KEY   sends its standard input; exit code 0 when delivered
//   --instance hold KEY   stays up and prints each message it receives on a line
//   --instance flood KEY  floods the first instance with 64 messages of 16 MiB
int runInstance(const QString& mode, const QString& key)
{
    if (mode == "flood")
        return flood(key);
    SingleAppCheck check(key);
    std::printf("%s\n", check.isRunning() ? "running" : "first");
    std::fflush(stdout);
    if (mode == "send") {
        QFile input;
        input.open(stdin, QIODevice::ReadOnly);
        return check.isRunning() && check.sendMessage(QString::fromUtf8(input.readAll())) ? 0 : 1;
    }
    QObject::connect(&check, &SingleAppCheck::messageAvailable, [](const QString& message) {
        std::printf("%s\n", message.toUtf8().constData());
        std::fflush(stdout);
    });
    return QCoreApplication::exec();
}

class Instance : public QProcess
{
public:
    Instance(const QString& mode, const QString& key)
    {
        start(QCoreApplication::applicationFilePath(), {instanceArgument, mode, key});
    }
    ~Instance() override
    {
        kill();
        waitForFinished();
    }
};

} // namespace

// One instance per user and key, across processes.
class TestSingleAppCheck : public QObject
{
    Q_OBJECT

private slots:
    void messageArrivesOnceAndWhole_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("received");
        const QString greeting = QString::fromUtf8("Grüße ✓");
        QTest::newRow("umlauts and a check mark") << greeting << greeting;
        QTest::newRow("one megabyte")
            << (greeting + ' ').repeated(1 << 17) << (greeting + ' ').repeated(1 << 17);
        QTest::newRow("cut at a zero character") << QString("ab") + QChar(0) + "c"
                                                 << "ab";
    }
    void messageArrivesOnceAndWhole()
    {
        QFETCH(QString, message);
        QFETCH(QString, received);
        // GIVEN the first instance
        const QString key = uniqueKey();
        SingleAppCheck first(key);
        QVERIFY(!first.isRunning());
        QVERIFY(!first.sendMessage("to nobody"));
        QSignalSpy spy(&first, &SingleAppCheck::messageAvailable);

        // WHEN a second start in another process sends the message
        Instance second("send", key);
        second.write(message.toUtf8());
        second.closeWriteChannel();

        // THEN it learns that an instance runs, and the message arrives once and whole
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
        QCOMPARE(second.readAllStandardOutput(), QByteArray("running\n"));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), received);
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
    }

    void crashedInstanceIsTakenOver()
    {
        const QString key = uniqueKey();
        {
            // GIVEN a first instance in another process, which answers a later start
            Instance holder("hold", key);
            QTRY_VERIFY_WITH_TIMEOUT(holder.canReadLine(), 20000);
            QCOMPARE(holder.readLine(), QByteArray("first\n"));
            QVERIFY(SingleAppCheck(key).sendMessage("still there"));
            QTRY_VERIFY_WITH_TIMEOUT(holder.canReadLine(), 20000);
            QCOMPARE(holder.readLine(), QByteArray("still there\n"));
            // WHEN it is killed, leaving its segment and socket behind
            holder.kill();
            QVERIFY(holder.waitForFinished());
        }
        // THEN the next start becomes the first instance and receives messages
        SingleAppCheck next(key);
        QVERIFY(!next.isRunning());
        QSignalSpy spy(&next, &SingleAppCheck::messageAvailable);
        Instance sender("send", key);
        sender.write("again");
        sender.closeWriteChannel();
        QTRY_COMPARE_WITH_TIMEOUT(sender.state(), QProcess::NotRunning, 20000);
        QCOMPARE(sender.exitCode(), 0);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("again"));
    }

    // 64 senders of 16 MiB at once: the first instance holds no more than the bound
    // of messages being read, and a real start's message arrives during and after.
    void floodOfLongMessages()
    {
        // GIVEN a first instance
        const QString key = uniqueKey();
        SingleAppCheck first(key);
        QStringList shortMessages;
        connect(&first, &SingleAppCheck::messageAvailable, [&shortMessages](const QString& text) {
            if (text.size() < 100)
                shortMessages += text;
        });
        QVERIFY(resetPeakMemory());
        const qint64 before = peakMemoryKiB();

        // WHEN another process floods it, and a real start sends while it does and after
        Instance flooder("flood", key);
        QTRY_VERIFY_WITH_TIMEOUT(flooder.canReadLine(), 20000);
        QVERIFY(SingleAppCheck(key).sendMessage("during"));
        QTRY_COMPARE_WITH_TIMEOUT(flooder.state(), QProcess::NotRunning, 60000);
        QCOMPARE(flooder.exitCode(), 0);
        QVERIFY(SingleAppCheck(key).sendMessage("after"));

        // THEN both arrive, and the memory grew by far less than the 1 GiB sent
        QTRY_COMPARE(shortMessages, (QStringList {"during", "after"}));
        const qint64 growth = peakMemoryKiB() - before;
        qInfo("Peak memory grew by %lld KiB.", growth);
#if !defined(__SANITIZE_ADDRESS__) // the sanitizer keeps freed memory in quarantine
        // 32 MiB of messages read, 8 MiB read ahead, 32 MiB for one delivered as
        // text, and room for the allocator's own keeping on a loaded machine
        QVERIFY2(growth < 128 * 1024, qPrintable(QString::number(growth)));
#endif
    }

    // A receiver that opens a dialog of its own (a nested event loop) for a
    // message gets it once, and the bound on open senders holds after it.
    void messageOnceUnderANestedLoop()
    {
        const QString key = uniqueKey();
        SingleAppCheck first(key);
        QSignalSpy spy(&first, &SingleAppCheck::messageAvailable);
        bool nested = false;
        connect(&first, &SingleAppCheck::messageAvailable, [&nested] {
            if (nested)
                return;
            nested = true;
            QEventLoop dialog;
            QTimer::singleShot(1500, &dialog, &QEventLoop::quit);
            dialog.exec();
        });
        QLocalSocket sender;
        sender.connectToServer(socketPath(key));
        QVERIFY(sender.waitForConnected(1000));
        sender.write("once");
        sender.disconnectFromServer();
        QTRY_COMPARE(spy.count(), 1);
        QTest::qWait(1700);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("once"));
    }

    // Silent, slow and many senders: the window keeps running, every message arrives
    // whole and nothing is left open.
    void hostileSenders()
    {
        const QString key = uniqueKey();
        SingleAppCheck first(key);
        QSignalSpy spy(&first, &SingleAppCheck::messageAvailable);
        const QString channel = socketPath(key);

        // GIVEN ten clients that connect and stay silent, and a timer on this thread
        std::vector<std::unique_ptr<QLocalSocket>> silent;
        for (int i = 0; i < 10; ++i) {
            silent.push_back(std::make_unique<QLocalSocket>());
            silent.back()->connectToServer(channel);
        }
        GuiStalls stalls;
        stalls.start();

        // WHEN a real message comes while they wait
        QTest::qWait(50);
        QVERIFY(SingleAppCheck(key).sendMessage("real"));

        // THEN it arrives, and the timer never stalls for the silent ones: waiting
        // for one of them would stall it for as long as a sender is given, a second
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.takeFirst().at(0).toString(), QStringLiteral("real"));
        QTest::qWait(1200);
        QVERIFY2(stalls.longestMs() < 1000, qPrintable(QString::number(stalls.longestMs())));
        silent.clear();

        // A message sent in pieces 300 ms apart arrives whole
        QLocalSocket slow;
        slow.connectToServer(channel);
        QVERIFY(slow.waitForConnected(1000));
        for (const char* piece : {"in ", "three ", "pieces"}) {
            slow.write(piece);
            slow.flush();
            QTest::qWait(300);
        }
        slow.disconnectFromServer();
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.takeFirst().at(0).toString(), QStringLiteral("in three pieces"));

        // 1,000 messages leave the number of open files where it was
        const int openFiles = QDir("/proc/self/fd").count();
        // Each is sent once the one before has arrived: one lost ends the loop.
        for (int i = 0; i < 1000 && spy.count() == i; ++i) {
            QVERIFY(SingleAppCheck(key).sendMessage(QString::number(i)));
            QElapsedTimer wait;
            wait.start();
            while (spy.count() <= i && wait.elapsed() < waitBoundMs(1250))
                QTest::qWait(1);
        }
        QCOMPARE(spy.count(), 1000);
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("999"));
        QTRY_COMPARE(QDir("/proc/self/fd").count(), openFiles);
    }

private:
    // Keys stay the same from run to run of one binary, so that what a killed
    // instance leaves behind is taken over by the next run instead of piling up.
    QString uniqueKey()
    {
        const uint binary = qHash(QCoreApplication::applicationFilePath());
        return QStringLiteral("tessivar-test-%1-%2").arg(binary).arg(++m_keys);
    }
    int m_keys = 0;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], instanceArgument) == 0)
        return runInstance(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestSingleAppCheck test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_SingleAppCheck.moc"
