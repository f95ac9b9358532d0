#pragma once

#include <QString>

// Names of the pictures the metronome and the note finder load, relative
// to ":/". artgen paints exactly these.
namespace VADirur::MusicPagePictures {

inline QString resource(const QString& relPath)
{
    return QStringLiteral(":/") + relPath;
}

// The metronome's base picture and the faces painted over it.
enum MetronomeFace {
    BaseEyesLeft,
    EyesRight,
    Beat,
    MuteEyesLeft,
    MuteEyesRight,
    MuteBeat,
    EyesClosed,
    EyesClosedMute,
    MetronomeFaceCount
};

inline QString metronomeFace(MetronomeFace face)
{
    static const char* const names[MetronomeFaceCount]
        = {"BaseEyesLeft.png", "EyesRight.png", "Beat.png", "MuteEyesLeft.png", "MuteEyesRight.png",
            "MuteBeat.png", "EyesClosed.png", "EyesClosedMute.png"};
    return QLatin1String(names[face]);
}

inline QString keyboard()
{
    return QStringLiteral("Piano_0.png");
}

// The keyboard with one key marked, by key number 1 to 88 in decimal.
inline QString markedKeyboard(const QString& key)
{
    return QStringLiteral("Piano_%1.png").arg(key);
}

inline QString noteHead()
{
    return QStringLiteral("note.png");
}

inline QString trebleClef()
{
    return QStringLiteral("violinkey.png");
}

inline QString bassClef()
{
    return QStringLiteral("basskey.png");
}

inline QString leftSide()
{
    return QStringLiteral("pianoleft.png");
}

inline QString rightSide()
{
    return QStringLiteral("pianoright.png");
}

} // namespace VADirur::MusicPagePictures
