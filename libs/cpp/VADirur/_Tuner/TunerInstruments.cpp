#include "TunerInstruments.h"

#include "SampleName.h"

namespace VADirur {

namespace {

struct Data
{
    const char* name;
    const char* samplePrefix;
    std::initializer_list<int> notes; // MIDI, button 0 first
    ShopLinks::Table shop;
    int stringsPerNote = 1; // the mandolin's pairs
    int firstShown = 0; // the bass guitar's "B0" comes with five strings
    int neckPegs = 0; // the banjo's short fifth string, button 0
};

const int keep = ShopLinks::keepDefault;

// clang-format off
const Data instruments[] = {
    {"Violin", "violine", {55, 62, 69, 76}, // G3 D4 A4 E5
        {{{1, 3, 4, 5, 7}, {1, 2, 4, 6, 7}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
        {"Violin", "Violine", "Violon"}}},
    {"Viola", "violine", {48, 55, 62, 69}, // C3 G3 D4 A4
        {{{25, 26, 27, 28, 29}, {25, 26, 27, 28, 29}, {21, 22, 23, 24, 25}, {21, 22, 23, 24, 25},
            {22, 23, 24, 25, 26}},
        {"Viola", "Bratsche", "Alto_(instrument_\xc3\xa0_cordes)"}}},
    {"Cello", "cello", {36, 43, 50, 57}, // C2 G2 D3 A3
        {{{40, 41, 42, 43, 44}, {45, 46, 47, 48, 49}, {36, 37, 38, 39, 40}, {37, 38, 39, 40, 41},
            {37, 38, 39, 40, 41}},
        {"Cello", "Violoncello", "Violoncelle"}}},
    {"DoubleBass", "doublebass", {28, 33, 38, 43}, // E1 A1 D2 G2
        {{{55, 56, 57, 58, 59}, {53, 54, 55, 56, 57}, {51, 52, 53, 54, 55}, {52, 53, 54, 55, 56},
            {52, 53, 54, 55, 56}},
        {"Double_bass", "Kontrabass", "Contrebasse"}}},
    {"Guitar", "guitar", {40, 45, 50, 55, 59, 64}, // E2 A2 D3 G3 B3 E4
        {{{8, 9, 10, 11, 12}, {8, 9, 10, 12, 13}, {6, 7, 8, 9, 10}, {6, 7, 8, 9, 10},
            {6, 7, 8, 9, 10}},
        {"Guitar", "Gitarre", "Guitare"}}},
    {"BassGuitar", "bassguitar", {23, 28, 33, 38, 43}, // B0 E1 A1 D2 G2
        {{{19, 20, 21, 23, 24}, {20, 21, 22, 23, 24}, {16, 17, 18, 19, 20}, {16, 17, 18, 19, 20},
            {17, 18, 19, 20, 21}},
        {"Bass_guitar", "E-Bass", "Guitare_basse"}}, 1, 1},
    {"Ukulele", "ukulele", {67, 60, 64, 69}, // G4 C4 E4 A4
        {{{35, 36, 37, 38, 39}, {36, 38, 43, 40, 44}, {31, 32, 33, 34, 35}, {31, 32, 33, 34, 36},
            {32, 33, 34, 35, 36}},
        {"Ukulele", "Ukulele", "Ukul\xc3\xa9l\xc3\xa9"}}},
    {"Banjo", "banjo", {67, 50, 55, 59, 62}, // G4 D3 G3 B3 D4
        {{{50, 51, 52, 53, 54}, {58, 59, 60, 61, 62}, {46, 47, 48, 49, 50}, {47, 48, 49, 50, 51},
            {47, 48, 49, 50, 51}},
        {"Banjo", "Banjo", "Banjo"}}, 1, 0, 1},
    {"Balalaika", "balalaika", {64, 64, 69}, // E4 E4 A4
        {{{30, 31, 32, 33, 34}, {30, 31, 33, 32, 34}, {26, 27, 28, 29, 30}, {26, 27, 28, 29, 30},
            {27, 28, 29, 30, 31}},
        {"Balalaika", "Balalaika", "Balala\xc3\xafka"}}},
    {"Mandolin", "mandolin", {55, 62, 69, 76}, // G3 D4 A4 E5
        {{{13, 14, 15, 17, 18}, {14, 15, 17, 18, 19}, {11, 12, 13, 14, 15}, {11, 12, 13, 14, 15},
            {11, 13, 14, 15, 16}},
        {"Mandolin", "Mandoline", "Mandoline"}}, 2},
    {"Dombra", "dombra", {50, 55}, // D3 G3
        {{{45, 46, 47, 48, 49}, {50, 51, keep, 52, keep}, {41, 42, 43, 44, 45},
            {42, 43, 44, 45, 46}, {42, 43, 44, 45, 46}},
        {"Dombra", "Dombra", "Dombra"}}},
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

const ShopLinks::Table& TunerInstruments::shopTable(Instrument instrument)
{
    return data(instrument).shop;
}

} // namespace VADirur
