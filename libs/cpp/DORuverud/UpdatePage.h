#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

namespace DORuverud {

// The page of the update check: 8-bit text up to its first zero byte whose
// first marker (the magic string followed by ":1.1.") is followed by the
// release date of the newest build, "dd.MM.yyyy", ended by a line feed.
class UpdatePage
{
public:
    enum Content {
        Empty,
        NoMarker,
        NoLineFeed,
        // The date may be invalid (a carriage return, or any other text).
        Dated
    };

    UpdatePage() = delete;

    // Reads page; date receives the release date when the result is Dated.
    static Content read(const QByteArray& page, const QString& magicString, QDate* date);
};

} // namespace DORuverud
