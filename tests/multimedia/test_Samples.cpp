#include "App.h"
#include "SampleName.h"
#include "TestSound.h"

#include <QDir>
#include <QMap>
#include <QtConcurrent>
#include <QtTest>

#include <cmath>
#include <functional>

using DIReridArazi::SampleName;

namespace {

// What is wrong with a sample: an empty text when it decodes and is in tune.
QString fault(const QString& path, double frequency)
{
    const std::vector<float> samples = TestSound::readMono(path);
    if (samples.size() < 2 * 44100)
        return path + QStringLiteral(": does not decode");
    // The steady part, after the attack.
    const double measured = TestSound::measure(samples, frequency, 13230);
    const double cents = 1200.0 * std::log2(measured / frequency);
    return std::fabs(cents) > 0.1 ? path + QStringLiteral(": %1 cents off").arg(cents) : QString();
}

} // namespace

class TestSamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyPageSampleExistsAndIsInTune();
    void metronomeSounds_data();
    void metronomeSounds();

private:
    QDir m_resources;
};

void TestSamples::initTestCase()
{
    m_resources.setPath(DORuverud::App::theApp()->bundleResourcePath());
    QVERIFY(m_resources.exists());
}

// The chord pages at 440, the piano's keys, and the tuners' strings at
// every reference pitch: exactly these files, each at its note's frequency.
void TestSamples::everyPageSampleExistsAndIsInTune()
{
    struct Range
    {
        const char* instrument;
        int from;
        int to;
    };
    const Range ranges[] = {{"guitar", 40, 72}, {"mandolin", 55, 84}, {"banjo", 50, 78},
        {"bass", 28, 56}, {"balalaika", 64, 80}, {"ukulele", 60, 77}, {"piano", 21, 108}};
    const QPair<const char*, QVector<int>> tuners[] = {{"violine", {48, 55, 62, 69, 76}},
        {"cello", {36, 43, 50, 57}}, {"doublebass", {28, 33, 38, 43}},
        {"guitar", {40, 45, 50, 55, 59, 64}}, {"bassguitar", {23, 28, 33, 38, 43}},
        {"ukulele", {67, 60, 64, 69}}, {"banjo", {67, 50, 55, 59, 62}}, {"balalaika", {64, 69}},
        {"mandolin", {55, 62, 69, 76}}, {"dombra", {50, 55}}};
    QMap<QString, double> notes;
    auto add = [&notes](const char* instrument, int pitch, int midi) {
        notes.insert(SampleName::fileName(instrument, pitch, midi),
            pitch * std::pow(2.0, (midi - 69) / 12.0));
    };
    for (const Range& range : ranges) {
        for (int midi = range.from; midi <= range.to; ++midi)
            add(range.instrument, 440, midi);
    }
    for (int pitch : {415, 430, 435, 439, 440, 442, 443, 445, 452, 460}) {
        for (const auto& tuner : tuners) {
            for (int midi : tuner.second)
                add(tuner.first, pitch, midi);
        }
    }
    QCOMPARE(notes.size() + 2, 635);
    QVERIFY(notes.contains("guitar_440_Cd4.mp3") && notes.contains("bassguitar_415_B0.mp3"));
    QCOMPARE(m_resources.entryList({"*.mp3"}, QDir::Files, QDir::Name), notes.keys());

    const std::function<QString(const QString&)> check = [this, &notes](const QString& name) {
        return fault(m_resources.filePath(name), notes.value(name));
    };
    QStringList faults = QtConcurrent::blockingMapped<QStringList>(notes.keys(), check);
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestSamples::metronomeSounds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    QTest::newRow("bell") << "bell.wav" << 0.4 << 0.7;
    QTest::newRow("tick") << "tick.wav" << 0.02 << 0.04;
}

void TestSamples::metronomeSounds()
{
    QFETCH(QString, name);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);
    const std::vector<float> samples = TestSound::readMono(m_resources.filePath(name));
    QVERIFY(samples.size() >= size_t(minSeconds * 44100)
        && samples.size() <= size_t(maxSeconds * 44100));
    const float peak = TestSound::peak(samples);
    QVERIFY(peak > 0.2f && peak < 1.f);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestSamples test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Samples.moc"
