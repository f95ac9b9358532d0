#include "SampleName.h"

#include <cmath>

namespace DIReridArazi {

QString SampleName::noteName(int midi)
{
    static const char* const names[12]
        = {"C", "Cd", "D", "Dd", "E", "F", "Fd", "G", "Gd", "A", "Ad", "B"};
    const int octave = midi / 12 - 1;
    return QLatin1String(names[midi % 12]) + QString::number(octave);
}

QString SampleName::fileName(const QString& instrument, int pitch, int midi)
{
    return pattern(instrument, midi).arg(pitch);
}

QString SampleName::pattern(const QString& instrument, int midi)
{
    return instrument + QStringLiteral("_%1_") + noteName(midi) + QStringLiteral(".mp3");
}

double SampleName::frequency(int pitch, int midi)
{
    return pitch * std::pow(2.0, (midi - 69) / 12.0);
}

} // namespace DIReridArazi
