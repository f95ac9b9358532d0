#include "../common/RunawayBound.h"
#include "HelperProcess.h"
#include "HelperSpare.h"

#include <QtTest>

#include <future>

namespace {

const HelperProcess::Limits limits {2000, 2000, 4000, 0};

QString helper(const char* name)
{
    return HelperProcess::besideProgram(QLatin1String(name));
}

} // namespace

// Helpers kept started, having served nobody: a taker gets one of the
// program it asks for, whatever other takers ask for meanwhile.
class TestHelperSpare : public QObject
{
    Q_OBJECT

private slots:
    void takerGetsTheOneStartedForIt()
    {
        // GIVEN spares asked for, of a helper
        HelperSpare spare(limits, 2);
        const QString svg = helper("tessivar-svg");
        QVERIFY(!spare.take(svg, HelperProcess::Start::Forked));
        // WHEN one is taken once started, THEN it is of that helper
        std::unique_ptr<HelperProcess> taken;
        QTRY_VERIFY_WITH_TIMEOUT(
            (taken = spare.take(svg, HelperProcess::Start::Forked)) != nullptr, waitBoundMs(1000));
        QCOMPARE(taken->program(), svg);
        spare.retire(std::move(taken));
    }

    void takersOfTwoHelpersGetTheirOwn()
    {
        // GIVEN spares kept, of whichever helper was asked for last
        HelperSpare spare(limits, 2);
        // WHEN two threads take spares, each of a helper of its own, by turns
        const auto takeOf = [&spare](const QString& program) {
            QStringList others;
            for (int round = 0; round < 40; ++round) {
                std::unique_ptr<HelperProcess> taken
                    = spare.take(program, HelperProcess::Start::Forked);
                if (taken && taken->program() != program)
                    others << taken->program();
                spare.retire(std::move(taken));
            }
            return others;
        };
        std::future<QStringList> svg
            = std::async(std::launch::async, takeOf, helper("tessivar-svg"));
        std::future<QStringList> page
            = std::async(std::launch::async, takeOf, helper("tessivar-page"));
        // THEN neither got one of the other's
        QCOMPARE(svg.get(), QStringList());
        QCOMPARE(page.get(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestHelperSpare)
#include "test_HelperSpare.moc"
