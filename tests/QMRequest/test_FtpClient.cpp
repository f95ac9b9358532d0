#include "FtpClient.h"
#include "FtpGuiClient.h"

#include <QBuffer>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using QMRequest::FtpClient;
using QMRequest::FtpGuiClient;

class TestFtpClient : public QObject
{
    Q_OBJECT

private slots:
    void operationsReturnAtOnce()
    {
        FtpClient client;
        QSignalSpy done(&client, &FtpClient::done);
        QBuffer buffer;
        QCOMPARE(client.connectToHost(QStringLiteral("192.168.1.20")), 0);
        QCOMPARE(client.login(QStringLiteral("ftpuser"), QStringLiteral("tulvend")), 0);
        QCOMPARE(client.cd(QStringLiteral("/charts")), 0);
        QCOMPARE(client.get(QStringLiteral("a.txt"), &buffer), 0);
        QCOMPARE(client.put(&buffer, QStringLiteral("a.txt")), 0);
        QCOMPARE(client.put(QByteArray("x"), QStringLiteral("a.txt")), 0);
        QCOMPARE(client.close(), 0);
        QVERIFY(client.fetchData(QStringLiteral("a.txt"), buffer));
        QVERIFY(client.fetchData(QStringLiteral("a.txt"), static_cast<QFile*>(nullptr)));
        QVERIFY(buffer.data().isEmpty());
        QVERIFY(done.isEmpty());
    }

    void progressSlotsReport_data()
    {
        QTest::addColumn<qlonglong>("done");
        QTest::addColumn<qlonglong>("total");
        QTest::addColumn<int>("percent");
        QTest::newRow("a quarter") << 512LL << 2048LL << 25;
        QTest::newRow("unknown total") << 3LL << -1LL << -300;
        QTest::newRow("zero total") << 0LL << 0LL << 0;
    }

    void progressSlotsReport()
    {
        QFETCH(qlonglong, done);
        QFETCH(qlonglong, total);
        QFETCH(int, percent);
        FtpClient client;
        QSignalSpy bytes(&client, &FtpClient::progress);
        QSignalSpy percents(&client, &FtpClient::progressPercent);
        QVERIFY(QMetaObject::invokeMethod(
            &client, "slotReadProgress", Q_ARG(qlonglong, done), Q_ARG(qlonglong, total)));
        QCOMPARE(bytes.takeFirst().first().toLongLong(), done);
        QCOMPARE(percents.takeFirst().first().toInt(), percent);

        QSignalSpy finished(&client, &FtpClient::done);
        QVERIFY(QMetaObject::invokeMethod(&client, "slotDone", Q_ARG(bool, true)));
        QCOMPARE(finished.takeFirst().first().toBool(), true);
    }

    void testWindowOnlyListsParent()
    {
        // GIVEN the test window with its presets
        FtpGuiClient window;
        const QList<QLineEdit*> fields = window.findChildren<QLineEdit*>();
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields.at(1)->text(), QStringLiteral("ftpuser"));
        QCOMPARE(fields.at(2)->text(), QStringLiteral("tulvend"));
        QCOMPARE(fields.at(2)->echoMode(), QLineEdit::Normal);
        QVERIFY(fields.at(3)->text().startsWith(QLatin1Char('/')));
        auto* list = window.findChild<QTreeWidget*>();
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Name"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("LastModified"));

        // WHEN the user goes, refreshes, opens an entry and tests
        for (const QString& caption : {QStringLiteral("&Go"), QStringLiteral("Rfr"),
                 QStringLiteral("&Login"), QStringLiteral("Test")}) {
            QPushButton* button = nullptr;
            for (QPushButton* candidate : window.findChildren<QPushButton*>())
                if (candidate->text() == caption)
                    button = candidate;
            QVERIFY2(button, qPrintable(caption));
            button->click();
        }
        emit list->itemDoubleClicked(list->topLevelItem(0), 1);

        // THEN the list only ever shows ".."
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral(".."));
    }
};

QTEST_MAIN(TestFtpClient)
#include "test_FtpClient.moc"
