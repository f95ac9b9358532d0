#include "../common/FullDisk.h"
#include "AacFileWriter.h"

#include <QtTest>

#include <cmath>
#include <vector>

using DIReridArazi::AacFileWriter;

namespace {

// A 440 Hz tone, the second channel a fifth above.
float sampleAt(long long frame, int channel)
{
    const double hertz = channel == 0 ? 440.0 : 660.0;
    return float(0.5 * std::sin(2.0 * M_PI * hertz * double(frame) / 44100.0));
}

} // namespace

class TestAacFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void pendingDataStaysBounded_data();
    void pendingDataStaysBounded();

private:
    QTemporaryDir m_dir;
};

void TestAacFileWriter::pendingDataStaysBounded_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("full");
    QTest::newRow("room for the whole take") << 64 * 1024 * 1024 << false;
    QTest::newRow("disk fills after two seconds") << 32768 << true;
}

void TestAacFileWriter::pendingDataStaysBounded()
{
    QFETCH(int, limit);
    QFETCH(bool, full);
    // One encoder frame of samples (8 KiB in stereo) and a fragment of about
    // a second: at most 45 AAC frames of at most 1536 bytes in stereo.
    const long long bound = 80 * 1024;
    const int chunk = 882;
    const QString path = m_dir.filePath(QStringLiteral("pending.m4a"));

    // GIVEN an AAC file written in 20 ms steps for 30 s
    const QString report = onFullDisk(rlim_t(limit), [&] {
        AacFileWriter writer(path, 44100, 2, 128000);
        std::vector<float> frames(size_t(chunk) * 2);
        long long most = 0;
        long long takenAfterFailure = 0;
        int failedAt = -1;
        for (int step = 0; step < 1500; ++step) {
            for (int i = 0; i < chunk * 2; ++i)
                frames[size_t(i)] = sampleAt(step * chunk + i / 2, i % 2);
            const int taken = writer.write(frames.data(), chunk);
            if (failedAt >= 0)
                takenAfterFailure += taken;
            else if (taken < chunk)
                failedAt = step;
            most = qMax(most, writer.pendingBytes());
        }
        const bool finished = writer.finish();
        return QStringList {QString::number(most), QString::number(failedAt),
            QString::number(takenAfterFailure), finished ? "finished" : writer.errorString()}
            .join(QLatin1Char('\n'));
    });

    // THEN what it holds stays under the bound, and on a full disk it stops
    // taking sound and says why
    const QStringList facts = report.split(QLatin1Char('\n'));
    QVERIFY2(facts.size() == 4, qPrintable(report));
    QVERIFY2(facts[0].toLongLong() <= bound, qPrintable(facts[0]));
    QCOMPARE(facts[1].toInt() > 0, full);
    QCOMPARE(facts[2], QString("0"));
    QCOMPARE(facts[3] != "finished", full);
    QVERIFY(!facts[3].isEmpty());
}

QTEST_GUILESS_MAIN(TestAacFileWriter)
#include "test_AacFileWriter.moc"
