// samplegen <Resources dir>: writes every instrument sample, bell.wav and
// tick.wav into the folder.

#include "MetronomeSound.h"
#include "SampleCatalog.h"
#include "SampleFile.h"
#include "SampleSynth.h"

#include <QCoreApplication>
#include <QDir>
#include <QtConcurrent>

#include <sndfile.h>

#include <atomic>
#include <cstdio>

namespace {

constexpr float samplePeak = 0.25f;
constexpr int mp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
constexpr int wav = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: samplegen <Resources dir>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;

    std::atomic<int> failures {0};
    const QVector<SampleCatalog::Sample> samples = SampleCatalog::all();
    QtConcurrent::blockingMap(samples, [&](const SampleCatalog::Sample& sample) {
        std::vector<float> sound = SampleSynth::render(sample);
        SampleFile::finish(sound, 0.25, samplePeak);
        if (!SampleFile::write(dir.filePath(sample.fileName), sound, mp3)) {
            std::fprintf(stderr, "samplegen: cannot write %s\n", qPrintable(sample.fileName));
            ++failures;
        }
    });

    std::vector<float> bell = MetronomeSound::bell();
    SampleFile::finish(bell, 0.1, 0.5f);
    std::vector<float> tick = MetronomeSound::tick();
    SampleFile::finish(tick, 0.005, 0.5f);
    if (!SampleFile::write(dir.filePath(QStringLiteral("bell.wav")), bell, wav)
        || !SampleFile::write(dir.filePath(QStringLiteral("tick.wav")), tick, wav))
        ++failures;
    return failures == 0 ? 0 : 1;
}
