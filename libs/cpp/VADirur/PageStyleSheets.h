#pragma once

#include <QString>
#include <QStringList>

namespace VADirur {

// The looks of the metronome and note finder pages, by object name, for a
// host to apply to the page it shows.
class PageStyleSheets
{
public:
    PageStyleSheets() = delete;

    static QString metronome();
    static QString notesFinder();
    // Every picture the two sheets name, as resource paths after ":/".
    static QStringList imageNames();
};

} // namespace VADirur
