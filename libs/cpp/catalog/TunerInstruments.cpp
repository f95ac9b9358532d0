#include "TunerInstruments.h"

#include "SampleName.h"

namespace VADirur {

namespace {

struct Data
{
    const char* name;
    const char* samplePrefix;
    std::initializer_list<int> notes; // MIDI, button 0 first
    int stringsPerNote = 1; // the mandolin's pairs
    int firstShown = 0; // the bass guitar's "B0" comes with five strings
    int neckPegs = 0; // the banjo's short fifth string, button 0
};

// clang-format off
const Data instruments[] = {
    {"Violin", "violine", {55, 62, 69, 76}}, // G3 D4 A4 E5
    {"Viola", "violine", {48, 55, 62, 69}}, // C3 G3 D4 A4
    {"Cello", "cello", {36, 43, 50, 57}}, // C2 G2 D3 A3
    {"DoubleBass", "doublebass", {28, 33, 38, 43}}, // E1 A1 D2 G2
    {"Guitar", "guitar", {40, 45, 50, 55, 59, 64}}, // E2 A2 D3 G3 B3 E4
    {"BassGuitar", "bassguitar", {23, 28, 33, 38, 43}, 1, 1}, // B0 E1 A1 D2 G2
    {"Ukulele", "ukulele", {67, 60, 64, 69}}, // G4 C4 E4 A4
    {"Banjo", "banjo", {67, 50, 55, 59, 62}, 1, 0, 1}, // G4 D3 G3 B3 D4
    {"Balalaika", "balalaika", {64, 64, 69}}, // E4 E4 A4
    {"Mandolin", "mandolin", {55, 62, 69, 76}, 2}, // G3 D4 A4 E5
    {"Dombra", "dombra", {50, 55}}, // D3 G3
};
// clang-format on

const Data& data(TunerInstruments::Instrument instrument)
{
    return instruments[instrument];
}

} // namespace

QVector<TunerInstruments::Instrument> TunerInstruments::all()
{
    return {Violin, Viola, Cello, DoubleBass, Guitar, BassGuitar, Ukulele, Banjo, Balalaika,
        Mandolin, Dombra};
}

QString TunerInstruments::name(Instrument instrument)
{
    return QLatin1String(data(instrument).name);
}

QString TunerInstruments::key(Instrument instrument)
{
    return name(instrument).toLower();
}

QString TunerInstruments::samplePrefix(Instrument instrument)
{
    return QLatin1String(data(instrument).samplePrefix);
}

QVector<int> TunerInstruments::notes(Instrument instrument)
{
    return data(instrument).notes;
}

QString TunerInstruments::samplePattern(Instrument instrument, int string)
{
    return DIReridArazi::SampleName::pattern(samplePrefix(instrument), notes(instrument)[string]);
}

int TunerInstruments::firstShownString(Instrument instrument)
{
    return data(instrument).firstShown;
}

TunerInstruments::Stringing TunerInstruments::stringing(Instrument instrument)
{
    const Data& row = data(instrument);
    const int notes = int(row.notes.size()) - row.firstShown;
    const int strings = notes * row.stringsPerNote;
    return {notes, row.stringsPerNote, strings - row.neckPegs, row.neckPegs};
}

QVector<int> TunerInstruments::referencePitches()
{
    return {415, 430, 435, 439, 440, 442, 443, 445, 452, 460};
}

QString TunerInstruments::pictureName(Instrument instrument)
{
    return name(instrument) + QStringLiteral(".jpg");
}

QVector<TunerInstruments::ChooserPicture> TunerInstruments::chooserPictures()
{
    QVector<ChooserPicture> pictures;
    const QStringList states = {QString(), QStringLiteral("_hvr"), QStringLiteral("_pressed"),
        QStringLiteral("_pressed_hvr")};
    for (Instrument instrument : all()) {
        for (const QString& state : states)
            pictures.append(
                {name(instrument) + QStringLiteral("Button") + state + QStringLiteral(".png"),
                    name(instrument), state});
    }
    // The cello's normal picture lies in a folder of its own.
    pictures[Cello * states.size()].path = QStringLiteral("_resources/imgs/CelloButton.png");
    // The chord application's button has no checked state.
    for (const QString& state : states.mid(0, 3))
        pictures.append({QStringLiteral("TessivarButton") + state + QStringLiteral(".png"),
            QStringLiteral("Tessivar"), state});
    return pictures;
}

} // namespace VADirur
