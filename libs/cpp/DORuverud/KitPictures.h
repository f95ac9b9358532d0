#pragma once

#include <QString>
#include <QStringList>

// Names of the pictures the small widgets of the kit load. artgen paints
// exactly these. Names are relative to ":/".
namespace DORuverud::KitPictures {

// The community menu's networks, in menu order.
inline QStringList communityIcons()
{
    return {QStringLiteral("pix/facebook.png"), QStringLiteral("pix/youtube.png"),
        QStringLiteral("pix/twitter.png"), QStringLiteral("pix/xing.png"),
        QStringLiteral("pix/mailru.png")};
}

// The magnifier of an empty search line.
inline QString searchIcon()
{
    return QStringLiteral("pix/search.png");
}

} // namespace DORuverud::KitPictures
