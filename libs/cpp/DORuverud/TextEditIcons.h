#pragma once

#include <QString>
#include <QStringList>

// The editor's fall-back icon pictures, used where the desktop's icon theme
// has no picture of the name. artgen paints exactly these.
namespace TextEditIcons {

// The folder of the pictures in the resource tree.
inline QString folder()
{
    return QStringLiteral(":/images/mac");
}

// File names inside folder().
inline QStringList names()
{
    return {QStringLiteral("filenew.png"), QStringLiteral("fileopen.png"),
        QStringLiteral("filesave.png"), QStringLiteral("fileprint.png"),
        QStringLiteral("exportpdf.png"), QStringLiteral("editundo.png"),
        QStringLiteral("editredo.png"), QStringLiteral("editcut.png"),
        QStringLiteral("editcopy.png"), QStringLiteral("editpaste.png"),
        QStringLiteral("textbold.png"), QStringLiteral("textitalic.png"),
        QStringLiteral("textunder.png"), QStringLiteral("textleft.png"),
        QStringLiteral("textcenter.png"), QStringLiteral("textright.png"),
        QStringLiteral("textjustify.png")};
}

} // namespace TextEditIcons
