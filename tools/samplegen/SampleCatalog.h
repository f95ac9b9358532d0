#pragma once

#include <QString>
#include <QVector>

// Every instrument sample the pages name: the chord pages' notes at 440 Hz,
// the piano's 88 keys and the tuners' strings at each reference pitch.
class SampleCatalog
{
public:
    enum class Timbre {
        Guitar,
        Bass,
        Mandolin,
        Banjo,
        Balalaika,
        Ukulele,
        Dombra,
        Piano,
        Violin,
        Cello,
        DoubleBass
    };

    struct Sample
    {
        QString fileName;
        Timbre timbre;
        int midi;
        double frequency;
    };

    // Each file once, in a fixed order.
    static QVector<Sample> all();

private:
    static void addRange(
        QVector<Sample>& out, const QString& instrument, Timbre timbre, int from, int to);
    static void addTuners(QVector<Sample>& out);
};
