// clang-format off
// libFuzzer target for the downloader: a server on 127.0.0.1 answers every
// request with the input's bytes, and the downloader reads it, into memory
// and into a file. All traffic,
// redirects too, goes through that server as the application's proxy. Not
// part of the test suite. Build and run by hand from the repository root:
//   for h in Downloader DownloadManager; do moc libs/cpp/QMRequest/$h.h -o /tmp/moc_$h.cpp; done
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Network) -Ilibs/cpp/QMRequest -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_Downloader.cpp libs/cpp/QMRequest/Download*.cpp \
//     libs/cpp/ZAruri/Trace.cpp libs/cpp/ZAruri/WholeFile.cpp /tmp/moc_Download*.cpp \
//     $(pkg-config --libs Qt5Network) -o /tmp/fuzz_Downloader
// Seeds, the hostile cases among them (endless announced length, a deflate
// bomb, a redirect loop, chunks that claim too much):
//   mkdir -p /tmp/seeds_download && cd /tmp/seeds_download && python3 -c '
//   import zlib
//   ok = b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n"
//   bomb = zlib.compress(bytes(64 << 20), 9)
//   seeds = {"page": ok % 11 + b"chord chart", "empty": ok % 0,
//     "boasting": ok % (1 << 40) + b"abc",
//     "bomb": b"HTTP/1.1 200 OK\r\nContent-Encoding: deflate\r\nContent-Length: %d\r\n\r\n" % len(bomb) + bomb,
//     "loop": b"HTTP/1.1 302 Found\r\nLocation: http://a.invalid/again\r\nContent-Length: 0\r\n\r\n",
//     "chunked": b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffff\r\nabc\r\n0\r\n\r\n",
//     "update": ok % 19 + b"TQ:1.1.07.12.2026\n\n"}
//   [open(n, "wb").write(t) for n, t in seeds.items()]'
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run:
//   /tmp/fuzz_Downloader -rss_limit_mb=2048 /tmp/seeds_download/*
//   mkdir -p /tmp/corpus_download && /tmp/fuzz_Downloader -max_total_time=300 \
//     -max_len=4096 -rss_limit_mb=2048 /tmp/corpus_download /tmp/seeds_download
// clang-format on

#include "DownloadManager.h"
#include "Downloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray answer;

// Answers each request once its header is in, then hangs up.
QTcpServer* startServer()
{
    auto* server = new QTcpServer;
    if (!server->listen(QHostAddress::LocalHost, 0))
        __builtin_trap();
    QObject::connect(server, &QTcpServer::newConnection, server, [server] {
        while (QTcpSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                if (!socket->peek(65536).contains("\r\n\r\n"))
                    return;
                socket->readAll();
                socket->write(answer);
                socket->disconnectFromHost();
            });
        }
    });
    return server;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    const QTcpServer* server = startServer();
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server->serverPort()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    answer = QByteArray(reinterpret_cast<const char*>(data), int(size));
    QMRequest::Downloader downloader;
    downloader.setTimeout(500);
    const QByteArray page = downloader.get(QStringLiteral("fuzz.invalid/page"));
    // Within the bound, and never inflated beyond what was sent.
    if (page.size() > QMRequest::DownloadManager::maxReplySize || page.size() > answer.size())
        __builtin_trap();
    // A file holds what a fetch into memory got, or stays as it was; nothing beside it.
    static const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page"));
    QFile::remove(path);
    downloader.getToFile(QStringLiteral("fuzz.invalid/page"), path);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) ? file.readAll() != page : !page.isEmpty())
        __builtin_trap();
    if (QDir(folder.path()).entryList(QDir::Files).size() > 1)
        __builtin_trap();
    return 0;
}
