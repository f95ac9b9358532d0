#include "DownloadManager.h"
#include "Downloader.h"
#include "LocalHttpServer.h"

#include <QSslSocket>
#include <QTemporaryDir>
#include <QtTest>

using QMRequest::Downloader;

// Fetches from a server on 127.0.0.1 that the test runs itself.
class TestDownloader : public QObject
{
    Q_OBJECT

private slots:
    void fullRequest_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("requested");
        QTest::newRow("no scheme gets http") << "quelmar.example/a"
                                             << "http://quelmar.example/a";
        QTest::newRow("http kept") << "http://quelmar.example/a"
                                   << "http://quelmar.example/a";
        QTest::newRow("https kept") << "https://quelmar.example/a"
                                    << "https://quelmar.example/a";
        QTest::newRow("upper-case scheme kept") << "HTTP://quelmar.example/a"
                                                << "HTTP://quelmar.example/a";
        QTest::newRow("mixed-case https kept") << "hTTpS://x"
                                               << "hTTpS://x";
        QTest::newRow("scheme-like host gets http") << "https.example/a"
                                                    << "http://https.example/a";
    }

    void fullRequest()
    {
        QFETCH(QString, url);
        QFETCH(QString, requested);
        QCOMPARE(Downloader().fullRequest(url), requested);
    }

    void getReturnsBodyOrEmpty_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("success") << "/body" << QByteArray("chord chart");
        QTest::newRow("not found") << "/missing" << QByteArray();
        QTest::newRow("empty page") << "/empty" << QByteArray();
        QTest::newRow("cut-off body") << "/cut" << QByteArray();
    }

    void getReturnsBodyOrEmpty()
    {
        LocalHttpServer server;
        Downloader downloader;
        QVERIFY(!downloader.isFinished());

        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QCOMPARE(downloader.get(server.address(path)), body);
        QVERIFY(downloader.isFinished());
        QCOMPARE(server.requests, QStringList {path});
    }

    void upperCaseSchemeIsRequestedAsIs()
    {
        LocalHttpServer server;
        QCOMPARE(
            Downloader().get(QStringLiteral("HTTP://") + server.address(QStringLiteral("/body"))),
            QByteArray("chord chart"));
    }

    void httpsAddressIsNotTurnedIntoHttp()
    {
        LocalHttpServer server;
        Downloader downloader;
        QCOMPARE(
            downloader.get(QStringLiteral("https://") + server.address(QStringLiteral("/body"))),
            QByteArray());
        QVERIFY(server.requests.isEmpty());
        if (QSslSocket::supportsSsl())
            QCOMPARE(server.tlsHellos, 1);
    }

    void silentServerTimesOut()
    {
        LocalHttpServer server;
        Downloader downloader;
        QCOMPARE(downloader.findChild<QMRequest::DownloadManager*>()->transferTimeout(), 30000);
        downloader.setTimeout(300);
        QCOMPARE(downloader.get(server.address(QStringLiteral("/silent"))), QByteArray());
        QVERIFY(downloader.isFinished());
        QCOMPARE(server.requests, QStringList {QStringLiteral("/silent")});
    }

    void secondGetWhileOneRunsReturnsEmpty()
    {
        LocalHttpServer server;
        Downloader downloader;
        QByteArray inner = "untouched";
        bool innerRan = false;
        QTimer::singleShot(0, &downloader, [&] {
            inner = downloader.get(server.address(QStringLiteral("/body")));
            innerRan = true;
        });

        QCOMPARE(
            downloader.get(server.address(QStringLiteral("/body"))), QByteArray("chord chart"));
        QVERIFY(innerRan);
        QCOMPARE(inner, QByteArray());
        QCOMPARE(server.requests, QStringList {QStringLiteral("/body")});
    }

    void progressOfAFetch()
    {
        LocalHttpServer server;
        Downloader downloader;
        QSignalSpy bytes(&downloader, &Downloader::progress);
        QSignalSpy percents(&downloader, &Downloader::progressPercent);

        QCOMPARE(downloader.get(server.address(QStringLiteral("/large"))).size(), 2048);

        QCOMPARE(bytes.last().first().toInt(), 2048);
        QCOMPARE(percents.last().first().toInt(), 100);
    }

    void progressPercent_data()
    {
        QTest::addColumn<qlonglong>("done");
        QTest::addColumn<qlonglong>("total");
        QTest::addColumn<int>("percent");
        QTest::newRow("a quarter") << 512LL << 2048LL << 25;
        QTest::newRow("a third truncates") << 1LL << 3LL << 33;
        QTest::newRow("unknown total") << 3LL << -1LL << -300;
        QTest::newRow("zero total") << 0LL << 0LL << 0;
        QTest::newRow("beyond int saturates") << (1LL << 40) << 1LL << INT_MAX;
    }

    void progressPercent()
    {
        QFETCH(qlonglong, done);
        QFETCH(qlonglong, total);
        QFETCH(int, percent);
        Downloader downloader;
        QSignalSpy bytes(&downloader, &Downloader::progress);
        QSignalSpy percents(&downloader, &Downloader::progressPercent);

        QVERIFY(QMetaObject::invokeMethod(
            &downloader, "slotProgress", Q_ARG(qlonglong, done), Q_ARG(qlonglong, total)));

        QCOMPARE(bytes.takeFirst().first().toInt(), int(done));
        QCOMPARE(percents.takeFirst().first().toInt(), percent);
    }

    void getToFileNeverClobbersOnFailure_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("success replaces") << "/body" << true << QByteArray("chord chart");
        QTest::newRow("success creates") << "/body" << false << QByteArray("chord chart");
        QTest::newRow("404 keeps the file") << "/missing" << true << QByteArray("old content");
        QTest::newRow("404 creates nothing") << "/missing" << false << QByteArray();
        QTest::newRow("cut-off body keeps the file") << "/cut" << true << QByteArray("old content");
        QTest::newRow("empty page keeps the file") << "/empty" << true << QByteArray("old content");
    }

    void getToFileNeverClobbersOnFailure()
    {
        QFETCH(QString, path);
        QFETCH(bool, existing);
        QFETCH(QByteArray, content);
        LocalHttpServer server;
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("chart.txt"));
        if (existing) {
            QFile file(fileName);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("old content");
        }

        Downloader downloader;
        downloader.getToFile(server.address(path), fileName);

        QVERIFY(downloader.isFinished());
        QFile file(fileName);
        QCOMPARE(file.exists(), existing || !content.isEmpty());
        if (file.open(QIODevice::ReadOnly))
            QCOMPARE(file.readAll(), content);
    }
};

QTEST_GUILESS_MAIN(TestDownloader)
#include "test_Downloader.moc"
