#pragma once

#include "Thumbnail.h"

#include <QCoreApplication>
#include <QString>

namespace ZEReruzo {

// What shows in place of a picture that is refused: the program's missing
// picture sign in the middle of the thumbnails' dark-gray ground, and why
// the picture is not shown. Every view of pictures shows a refusal this way.
class MissingPicture
{
    Q_DECLARE_TR_FUNCTIONS(ZEReruzo::MissingPicture)

public:
    // The reason as a user reads it, "Not shown: <refusal>."; empty when
    // there is no refusal.
    static QString text(const QString& refusal);
    // The refusal of a file that is not there or is no picture it can read.
    static QString unreadable();
    // A w x h thumbnail of the sign; given a refusal, its text under the
    // sign where the thumbnail has room for all of it.
    static Thumbnail thumbnail(int w, int h, const QString& refusal = QString());
};

} // namespace ZEReruzo
