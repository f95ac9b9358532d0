#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

namespace DORuverud {

// The page of the update check: 8-bit text up to its first zero byte whose
// first marker (the magic string followed by ":1.1.") is followed by the
// release date of the newest build, "dd.MM.yyyy", and a line end (LF, CR LF
// or CR).
class UpdatePage
{
public:
    UpdatePage() = delete;

    // The release date the page names; invalid when it names none (an empty
    // page, no marker, no line end after the date, or other text than a date).
    static QDate releaseDate(const QByteArray& page, const QString& magicString);
};

} // namespace DORuverud
