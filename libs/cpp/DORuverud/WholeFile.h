#pragma once

#include <QByteArray>
#include <QString>

namespace DORuverud {

// Files written in one piece: what stood under the name stays whole until
// the new content is complete.
class WholeFile
{
public:
    WholeFile() = delete;

    // Writes the content under path; why it failed, or an empty text.
    static QString write(const QString& path, const QByteArray& content);
};

} // namespace DORuverud
