#include "WholeFile.h"

#include <QSaveFile>

namespace DORuverud {

QString WholeFile::write(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return file.errorString();
    return QString();
}

} // namespace DORuverud
