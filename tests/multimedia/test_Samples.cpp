#include "App.h"
#include "AudioClip.h"
#include "SampleName.h"
#include "ToneAnalysis.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QtConcurrent>
#include <QtTest>

#include <cmath>
#include <functional>

using DIReridArazi::AudioClip;
using DIReridArazi::SampleName;

namespace {

struct Note
{
    QString instrument;
    int pitch;
    int midi;
};

// "guitar_440_Cd4.mp3" read back into instrument, pitch and note.
bool parse(const QString& name, Note* note)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([a-z]+)_(\\d+)_([A-G])(d?)(\\d)\\.mp3$"));
    static const int letters[7] = {9, 11, 0, 2, 4, 5, 7};
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    note->instrument = match.captured(1);
    note->pitch = match.captured(2).toInt();
    note->midi = (match.captured(5).toInt() + 1) * 12
        + letters[match.captured(3).at(0).unicode() - 'A'] + (match.captured(4).isEmpty() ? 0 : 1);
    return true;
}

// Cents off the note, or NaN when the file does not decode.
double centsOff(const QString& path, const Note& note)
{
    const std::shared_ptr<const AudioClip> clip = AudioClip::decode(path);
    if (!clip || clip->channels() != 1 || clip->frames() < 2 * 44100)
        return std::nan("");
    const std::vector<float> samples(clip->data(), clip->data() + clip->frames());
    const double expected = SampleName::frequency(note.pitch, note.midi);
    // The steady part, after the attack.
    const double measured = ToneAnalysis::measure(samples, expected, 13230);
    return 1200.0 * std::log2(measured / expected);
}

} // namespace

class TestSamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void noteNames_data();
    void noteNames();
    void everyPageSampleExists();
    void everySampleIsInTune();
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

void TestSamples::noteNames_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("midi");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<double>("frequency");
    QTest::newRow("sharp") << "guitar" << 440 << 61 << "guitar_440_Cd4.mp3" << 277.1826;
    QTest::newRow("lowest piano key") << "piano" << 440 << 21 << "piano_440_A0.mp3" << 27.5;
    QTest::newRow("highest piano key") << "piano" << 440 << 108 << "piano_440_C8.mp3" << 4186.009;
    QTest::newRow("octave turns at C")
        << "bassguitar" << 415 << 23 << "bassguitar_415_B0.mp3" << 29.11386;
    QTest::newRow("reference pitch") << "violine" << 452 << 69 << "violine_452_A4.mp3" << 452.0;
}

void TestSamples::noteNames()
{
    QFETCH(QString, instrument);
    QFETCH(int, pitch);
    QFETCH(int, midi);
    QFETCH(QString, fileName);
    QFETCH(double, frequency);
    QCOMPARE(SampleName::fileName(instrument, pitch, midi), fileName);
    QVERIFY(std::fabs(SampleName::frequency(pitch, midi) - frequency) < 1e-3);
}

// The chord pages at 440, the piano's keys, and the tuners' strings at
// every reference pitch.
void TestSamples::everyPageSampleExists()
{
    struct Range
    {
        const char* instrument;
        int from;
        int to;
    };
    const Range ranges[] = {{"guitar", 40, 72}, {"mandolin", 55, 84}, {"banjo", 50, 78},
        {"bass", 28, 56}, {"balalaika", 64, 78}, {"ukulele", 60, 77}, {"piano", 21, 108}};
    struct Tuner
    {
        const char* instrument;
        QVector<int> notes;
    };
    const Tuner tuners[] = {{"violine", {48, 55, 62, 69, 76}}, {"cello", {36, 43, 50, 57}},
        {"doublebass", {28, 33, 38, 43}}, {"guitar", {40, 45, 50, 55, 59, 64}},
        {"bassguitar", {23, 28, 33, 38, 43}}, {"ukulele", {67, 60, 64, 69}},
        {"banjo", {67, 50, 55, 59, 62}}, {"balalaika", {64, 69}}, {"mandolin", {55, 62, 69, 76}},
        {"dombra", {50, 55}}};
    QSet<QString> named;
    for (const Range& range : ranges) {
        for (int midi = range.from; midi <= range.to; ++midi)
            named << SampleName::fileName(range.instrument, 440, midi);
    }
    for (int pitch : {415, 430, 435, 439, 440, 442, 443, 445, 452, 460}) {
        for (const Tuner& tuner : tuners) {
            for (int midi : tuner.notes)
                named << SampleName::fileName(tuner.instrument, pitch, midi);
        }
    }
    QCOMPARE(named.size() + 2, 633);
    const QStringList made = m_resources.entryList({"*.mp3"}, QDir::Files);
    QCOMPARE(QSet<QString>(made.begin(), made.end()), named);
}

void TestSamples::everySampleIsInTune()
{
    const QStringList files = m_resources.entryList({"*.mp3"}, QDir::Files);
    QVERIFY(!files.isEmpty());
    const std::function<QString(const QString&)> check = [this](const QString& name) {
        Note note;
        if (!parse(name, &note))
            return QStringLiteral("%1: not a sample name").arg(name);
        const double cents = centsOff(m_resources.filePath(name), note);
        if (std::isnan(cents))
            return QStringLiteral("%1: does not decode").arg(name);
        if (std::fabs(cents) > 0.1)
            return QStringLiteral("%1: %2 cents off").arg(name).arg(cents);
        return QString();
    };
    QStringList faults = QtConcurrent::blockingMapped<QStringList>(files, check);
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestSamples::metronomeSounds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("minFrames");
    QTest::addColumn<qint64>("maxFrames");
    QTest::newRow("bell") << "bell.wav" << qint64(0.4 * 44100) << qint64(0.7 * 44100);
    QTest::newRow("tick") << "tick.wav" << qint64(0.02 * 44100) << qint64(0.04 * 44100);
}

void TestSamples::metronomeSounds()
{
    QFETCH(QString, name);
    QFETCH(qint64, minFrames);
    QFETCH(qint64, maxFrames);
    const std::shared_ptr<const AudioClip> clip = AudioClip::decode(m_resources.filePath(name));
    QVERIFY(clip);
    QVERIFY(clip->frames() >= minFrames && clip->frames() <= maxFrames);
    float peak = 0.f;
    for (qint64 i = 0; i < clip->frames(); ++i)
        peak = std::max(peak, std::fabs(clip->data()[i]));
    QVERIFY(peak > 0.2f && peak < 1.f);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestSamples test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Samples.moc"
