#include "SampleCatalog.h"

#include "SampleName.h"
#include "TunerInstruments.h"

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

// The timbre of each tuner instrument, in the order of its enumeration.
SampleCatalog::Timbre timbreOf(VADirur::TunerInstruments::Instrument instrument)
{
    using Timbre = SampleCatalog::Timbre;
    static const Timbre timbres[] = {Timbre::Violin, Timbre::Violin, Timbre::Cello,
        Timbre::DoubleBass, Timbre::Guitar, Timbre::Bass, Timbre::Ukulele, Timbre::Banjo,
        Timbre::Balalaika, Timbre::Mandolin, Timbre::Dombra};
    return timbres[instrument];
}

} // namespace

QVector<SampleCatalog::Sample> SampleCatalog::all()
{
    QVector<Sample> out;
    addRange(out, "guitar", Timbre::Guitar, midiOf("E2"), midiOf("C5"));
    addRange(out, "mandolin", Timbre::Mandolin, midiOf("G3"), midiOf("C6"));
    addRange(out, "banjo", Timbre::Banjo, midiOf("D3"), midiOf("Fd5"));
    addRange(out, "bass", Timbre::Bass, midiOf("E1"), midiOf("Gd3"));
    addRange(out, "balalaika", Timbre::Balalaika, midiOf("E4"), midiOf("Gd5"));
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

// Every string of every tuner page at each reference pitch of its menu.
void SampleCatalog::addTuners(QVector<Sample>& out)
{
    using VADirur::TunerInstruments;
    for (int pitch : TunerInstruments::referencePitches()) {
        for (TunerInstruments::Instrument instrument : TunerInstruments::all()) {
            const QVector<int> notes = TunerInstruments::notes(instrument);
            for (int string = 0; string < notes.size(); ++string)
                out.append({TunerInstruments::samplePattern(instrument, string).arg(pitch),
                    timbreOf(instrument), notes[string],
                    SampleName::frequency(pitch, notes[string])});
        }
    }
}
