#pragma once

#include <QByteArray>
#include <QString>

namespace DAvuroD {

// The files an SVG's pictures name beside it, copied by the program into
// the stage of the helper that draws it (HelperProcess::stage()): the helper
// reads no file of the user's, and Qt's renderer finds the pictures that an
// SVG read as text names by a relative path in its working folder, which
// the stage is. Only what an <image> names by a relative path that stays
// within the SVG's own folder, and only regular files, at most maxFiles of
// at most maxBytes together, among its first mostNames names; a name of
// anything else is left out, and shows as missing as a file that is not
// there does.
class SvgStage
{
public:
    static constexpr int maxFiles = 64;
    static constexpr qint64 maxBytes = qint64(64) << 20;
    static constexpr int mostNames = 1024;

    // Copies what the text names from the folder into the stage; why it
    // could not, or an empty text.
    static QString copy(const QByteArray& text, const QString& folder, const QByteArray& stage);
};

} // namespace DAvuroD
