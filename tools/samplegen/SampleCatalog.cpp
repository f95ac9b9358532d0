#include "SampleCatalog.h"

#include "SampleName.h"

#include <QSet>

using DIReridArazi::SampleName;

namespace {

// MIDI numbers of note names as the pages write them ("E2" is 40).
int midiOf(const char* note)
{
    static const int letters[7] = {9, 11, 0, 2, 4, 5, 7}; // A .. G
    const int letter = letters[note[0] - 'A'];
    const bool sharp = note[1] == 'd';
    const int octave = note[sharp ? 2 : 1] - '0';
    return (octave + 1) * 12 + letter + (sharp ? 1 : 0);
}

struct Tuner
{
    const char* instrument;
    SampleCatalog::Timbre timbre;
    std::initializer_list<const char*> notes;
};

} // namespace

QVector<SampleCatalog::Sample> SampleCatalog::all()
{
    QVector<Sample> out;
    addRange(out, "guitar", Timbre::Guitar, midiOf("E2"), midiOf("C5"));
    addRange(out, "mandolin", Timbre::Mandolin, midiOf("G3"), midiOf("C6"));
    addRange(out, "banjo", Timbre::Banjo, midiOf("D3"), midiOf("Fd5"));
    addRange(out, "bass", Timbre::Bass, midiOf("E1"), midiOf("Gd3"));
    addRange(out, "balalaika", Timbre::Balalaika, midiOf("E4"), midiOf("Fd5"));
    addRange(out, "ukulele", Timbre::Ukulele, midiOf("C4"), midiOf("F5"));
    addRange(out, "piano", Timbre::Piano, midiOf("A0"), midiOf("C8"));
    addTuners(out);
    QSet<QString> seen;
    QVector<Sample> unique;
    for (const Sample& sample : out) {
        if (!seen.contains(sample.fileName)) {
            seen.insert(sample.fileName);
            unique.append(sample);
        }
    }
    return unique;
}

void SampleCatalog::addRange(
    QVector<Sample>& out, const QString& instrument, Timbre timbre, int from, int to)
{
    for (int midi = from; midi <= to; ++midi)
        out.append({SampleName::fileName(instrument, 440, midi), timbre, midi,
            SampleName::frequency(440, midi)});
}

void SampleCatalog::addTuners(QVector<Sample>& out)
{
    static const int pitches[] = {415, 430, 435, 439, 440, 442, 443, 445, 452, 460};
    static const Tuner tuners[] = {
        {"violine", Timbre::Violin, {"C3", "G3", "D4", "A4", "E5"}},
        {"cello", Timbre::Cello, {"C2", "G2", "D3", "A3"}},
        {"doublebass", Timbre::DoubleBass, {"E1", "A1", "D2", "G2"}},
        {"guitar", Timbre::Guitar, {"E2", "A2", "D3", "G3", "B3", "E4"}},
        {"bassguitar", Timbre::Bass, {"B0", "E1", "A1", "D2", "G2"}},
        {"ukulele", Timbre::Ukulele, {"G4", "C4", "E4", "A4"}},
        {"banjo", Timbre::Banjo, {"G4", "D3", "G3", "B3", "D4"}},
        {"balalaika", Timbre::Balalaika, {"E4", "A4"}},
        {"mandolin", Timbre::Mandolin, {"G3", "D4", "A4", "E5"}},
        {"dombra", Timbre::Dombra, {"D3", "G3"}},
    };
    for (int pitch : pitches) {
        for (const Tuner& tuner : tuners) {
            for (const char* note : tuner.notes) {
                const int midi = midiOf(note);
                out.append({SampleName::fileName(QLatin1String(tuner.instrument), pitch, midi),
                    tuner.timbre, midi, SampleName::frequency(pitch, midi)});
            }
        }
    }
}
