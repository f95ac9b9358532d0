#include "RunawayBound.h"
#include "RunawayWatch.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Keeps every processor busy four times over while it lives.
class BusyMachine
{
public:
    BusyMachine()
    {
        for (unsigned i = 0; i < 4 * std::max(1u, std::thread::hardware_concurrency()); ++i)
            m_threads.emplace_back([this] {
                while (!m_stop.load(std::memory_order_relaxed)) { }
            });
    }

    ~BusyMachine()
    {
        m_stop = true;
        for (std::thread& thread : m_threads)
            thread.join();
    }

private:
    std::atomic<bool> m_stop {false};
    std::vector<std::thread> m_threads;
};

// Work of the calling thread's own for about the given time.
void compute(int ms)
{
    const ThreadTime time;
    volatile unsigned sink = 0;
    while (time.elapsedMs() < ms)
        for (int i = 0; i < 10000; ++i)
            sink = sink + unsigned(i);
}

// Work that grows with the square of its input.
unsigned quadratic(int n)
{
    unsigned sum = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            sum += unsigned(i ^ j);
    return sum;
}

const char* const runawayVariable = "TESSIVAR_RUNAWAY";
constexpr int childBoundMs = 300;

// The child's deliberate runaway, under a watch of childBoundMs.
int runAway(const QByteArray& kind)
{
    RunawayWatch watch("the deliberate runaway", childBoundMs);
    if (kind == "loop")
        for (volatile bool going = true; going;) { }
    else if (kind == "hang")
        std::this_thread::sleep_for(std::chrono::hours(1));
    else
        return int(quadratic(1 << 20) & 1);
    return 0;
}

} // namespace

class RunawayBoundTest : public QObject
{
    Q_OBJECT

private slots:
    // GIVEN a moment of work, and a wait of the thread's own
    // WHEN every processor is busy four times over meanwhile
    // THEN the thread's own time is that of the work and the wait, within the bound
    void aMomentStaysWithinItsBoundOnABusyMachine()
    {
        BusyMachine busy;
        QElapsedTimer wall;
        wall.start();
        RunawayWatch watch("a moment", runawayBoundMs(400));
        compute(100);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        QVERIFY2(watch.elapsedMs() >= 200, qPrintable(QString::number(watch.elapsedMs())));
        QVERIFY2(watch.withinBound(),
            qPrintable(QStringLiteral("%1 ms own, %2 ms on the wall")
                           .arg(watch.elapsedMs())
                           .arg(wall.elapsed())));
    }

    void aRunawayFailsWithinItsBound_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::newRow("a loop that never ends") << QByteArray("loop");
        QTest::newRow("a wait that never ends") << QByteArray("hang");
        QTest::newRow("work growing with the square of its input") << QByteArray("quadratic");
    }

    // GIVEN work that would run for minutes, under a watch of 300 ms
    // WHEN it runs
    // THEN the watch stops it soon after 300 ms, naming the work
    void aRunawayFailsWithinItsBound()
    {
        QFETCH(QByteArray, kind);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(runawayVariable, QString::fromLatin1(kind));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(waitBoundMs(childBoundMs)));
        QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        QVERIFY(child.readAllStandardError().contains(
            "the deliberate runaway ran past its bound of 300 ms of its own time"));
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(runawayVariable))
        return runAway(qgetenv(runawayVariable));
    QCoreApplication app(argc, argv);
    RunawayBoundTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_RunawayBound.moc"
