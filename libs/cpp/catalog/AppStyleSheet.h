#pragma once

#include <QString>
#include <QStringList>

namespace VADirur {

// The application-wide style sheet: one template whose size placeholders
// are filled for the screen, smaller on a pocket device.
class AppStyleSheet
{
public:
    AppStyleSheet() = delete;

    // The finished sheet. The sizes chosen at the first call stay for the
    // life of the process.
    static QString text();
    // The template with every placeholder filled for a normal or a pocket screen.
    static QString filled(bool pocket);
    // The template itself, placeholders included.
    static QString templateText();
    // Every picture the sheet names, as resource paths after ":/".
    static QStringList imageNames();
    // The pictures a sheet names, each once, in order.
    static QStringList imageNamesOf(const QString& sheet);
};

} // namespace VADirur
