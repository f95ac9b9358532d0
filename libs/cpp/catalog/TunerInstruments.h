#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace VADirur {

// The data of the eleven tuner pages: strings, samples and pictures. The
// pages build from it, and so do the sample and picture generators, so the
// names they use cannot drift apart.
class TunerInstruments
{
public:
    TunerInstruments() = delete;

    // In the order of the main page's fields.
    enum Instrument {
        Violin,
        Viola,
        Cello,
        DoubleBass,
        Guitar,
        BassGuitar,
        Ukulele,
        Banjo,
        Balalaika,
        Mandolin,
        Dombra
    };
    static QVector<Instrument> all();

    // "Violin", "DoubleBass", "BassGuitar"...: the name of its picture, of
    // its chooser button and of its caption there.
    static QString name(Instrument instrument);
    // The lower-case name: "doublebass".
    static QString key(Instrument instrument);

    // The first part of its sample names; the viola shares "violine".
    static QString samplePrefix(Instrument instrument);
    // MIDI numbers of the strings, button 0 first.
    static QVector<int> notes(Instrument instrument);
    // The first string whose button shows at start: 1 on the bass guitar,
    // whose "B0" comes with "5 Strings".
    static int firstShownString(Instrument instrument);
    // How the instrument is strung as its page starts, which its picture
    // shows: the notes of the buttons shown, each on one string or on a
    // pair, and one peg per string, on the head or, for the banjo's short
    // fifth string, on the neck.
    struct Stringing
    {
        int notes;
        int stringsPerNote;
        int headPegs;
        int neckPegs;
    };
    static Stringing stringing(Instrument instrument);
    // The sample of a string with "%1" in place of the reference pitch.
    static QString samplePattern(Instrument instrument, int string);
    // The reference pitches of A4 the pitch menu offers, in Hz.
    static QVector<int> referencePitches();

    // The page's picture, a resource path after ":/": "Violin.jpg".
    static QString pictureName(Instrument instrument);

    // One picture of a chooser button: the resource path after ":/", the
    // button ("Violin"... or "Tessivar" for the chord application) and its
    // state: "", "_hvr", "_pressed" (also checked) or "_pressed_hvr".
    struct ChooserPicture
    {
        QString path;
        QString button;
        QString state;
    };
    // All twelve buttons' pictures.
    static QVector<ChooserPicture> chooserPictures();
};

} // namespace VADirur
