// clang-format off
// libFuzzer target for the receiving side of the single-instance channel: each
// input is split into messages that senders write at once, in pieces, to a first
// instance, which must hand out each one once and whole (cut at its first zero
// byte). Not part of the test suite. Build and run by hand from the repository root:
//   moc libs/cpp/ZAruri/SingleAppCheck.h -o /tmp/moc_SingleAppCheck.cpp
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Network) -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_SingleAppCheck.cpp libs/cpp/ZAruri/SingleAppCheck.cpp \
//     /tmp/moc_SingleAppCheck.cpp $(pkg-config --libs Qt5Network) -o /tmp/fuzz_SingleAppCheck
// Seeds, the hostile cases among them (a message beyond 16 MiB, messages beyond
// the 32 MiB held together, a zero byte, bytes that are no UTF-8):
//   mkdir -p /tmp/seeds_channel && cd /tmp/seeds_channel
//   printf '\x00hello\x1eworld' > two
//   printf '\x00ab\x00c\x1e\xff\xfe\xc3' > zero-and-not-utf8
//   printf '\x00\x1e\x1e\x1e' > empty
//   printf '\x80longest\x1eshort' > beyond-16-mib
//   printf '\x40a\x1eb\x1ec\x1ed\x1ee\x1ef\x1eg' > beyond-32-mib-held
//   /tmp/fuzz_SingleAppCheck -max_total_time=600 -max_len=4096 -rss_limit_mb=4096 \
//     /tmp/corpus_channel /tmp/seeds_channel
// clang-format on
//
// Input: one flag byte, then up to 8 messages separated by 0x1E. Flag 0x80 repeats
// the first message beyond 16 MiB; flag 0x40 repeats each to 6 MiB.

#include "FuzzCheck.h"
#include "SingleAppCheck.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

const int maxSenders = 8;
const qint64 maxMessageBytes = qint64(16) << 20;

ZAruri::SingleAppCheck* receiver;
QStringList received;

QString key()
{
    return QStringLiteral("tessivar-fuzz-%1").arg(getpid());
}

QString socketPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + '/' + key() + '-'
        + QString::number(getuid());
}

QList<QByteArray> messagesOf(const uint8_t* data, size_t size)
{
    if (size == 0)
        return {};
    const uint8_t flag = data[0];
    QList<QByteArray> messages = QByteArray(reinterpret_cast<const char*>(data + 1), int(size - 1))
                                     .split('\x1e')
                                     .mid(0, maxSenders);
    const auto repeatTo = [](QByteArray& message, qint64 size) {
        if (!message.isEmpty())
            message = message.repeated(int(size / message.size() + 1)).left(int(size));
    };
    if (flag == 0x80 && !messages.isEmpty())
        repeatTo(messages[0], maxMessageBytes + 1);
    for (QByteArray& message : messages) {
        if (flag == 0x40)
            repeatTo(message, 6 << 20);
    }
    return messages;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    receiver = new ZAruri::SingleAppCheck(key());
    check(!receiver->isRunning());
    QObject::connect(receiver, &ZAruri::SingleAppCheck::messageAvailable,
        [](const QString& message) { received += message; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> messages = messagesOf(data, size);
    const QString path = socketPath();
    received.clear();
    // Every sender connects first, then writes its message in two pieces and hangs up.
    std::vector<std::unique_ptr<QLocalSocket>> senders;
    for (const QByteArray& message : messages) {
        senders.push_back(std::make_unique<QLocalSocket>());
        senders.back()->connectToServer(path);
        check(senders.back()->waitForConnected(1000));
        senders.back()->write(message.left(message.size() / 2));
    }
    QCoreApplication::processEvents();
    for (size_t i = 0; i < senders.size(); ++i) {
        senders[i]->write(messages[int(i)].mid(messages[int(i)].size() / 2));
        senders[i]->disconnectFromServer();
    }
    QStringList expected;
    for (const QByteArray& message : messages) {
        if (!message.isEmpty() && message.size() <= maxMessageBytes)
            expected += QString::fromUtf8(message.constData());
    }
    // Within the receiver's own time bounds every connection ends on both sides.
    const QDeadlineTimer deadline(10000);
    const auto open = [&senders] {
        return !receiver->findChildren<QLocalSocket*>().isEmpty()
            || std::any_of(senders.cbegin(), senders.cend(), [](const auto& sender) {
                   return sender->state() != QLocalSocket::UnconnectedState;
               });
    };
    while (open()) {
        check(!deadline.hasExpired());
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Each message whole and once; all of them unless some were dropped to keep the
    // bytes held together within their bound.
    for (const QString& message : qAsConst(received))
        check(expected.removeOne(message));
    check(expected.isEmpty() || (size > 0 && data[0] == 0x40));
    return 0;
}
