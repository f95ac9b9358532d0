#pragma once

#include <QString>
#include <QStringList>

// Names of the pictures the dialogs load. artgen paints exactly these.
// Resource names are relative to ":/"; slide names to the Resources folder.
namespace DORuverud::DialogPictures {

inline QString resource(const QString& relPath)
{
    return QStringLiteral(":/") + relPath;
}

inline QString loadingAnimation()
{
    return QStringLiteral("pix/loading.gif");
}

inline QString appLogo()
{
    return QStringLiteral("app.png");
}

inline QString makerLogo()
{
    return QStringLiteral("pix/quelmarlogo.png");
}

// Behind the text of the video-introduction offer.
inline QString linkBackground()
{
    return QStringLiteral("pix/zadu2.jpg");
}

// The introduction has nine slides in each of these languages.
inline int introductionSlideCount()
{
    return 9;
}

inline QStringList introductionSlideLanguages()
{
    return {QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("ru")};
}

// Slide index (from 0) in a language, in the Resources folder.
inline QString introductionSlide(int index, const QString& language)
{
    return QStringLiteral("TQSlide%1_%2.jpg").arg(index).arg(language);
}

} // namespace DORuverud::DialogPictures
