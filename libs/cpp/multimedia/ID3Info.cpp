#include "ID3Info.h"

#include "MediaCommon.h"
#include "PictureReader.h"

#include <QDir>
#include <QFileInfo>

namespace DIReridArazi {

ID3Info::ID3Info(const QString& path)
    : m_path(path)
{
    findCover();
}

ID3Info::~ID3Info() = default;

const QPixmap& ID3Info::cover() const
{
    return m_cover;
}

void ID3Info::findCover()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    const QStringList names
        = QDir(folder).entryList({QStringLiteral("*")}, QDir::Files, QDir::NoSort);
    for (const QString& name : names) {
        if (!MediaCommon::isImage(name))
            continue;
        m_cover
            = QPixmap::fromImage(DAvuroD::PictureReader::read(folder + QLatin1Char('/') + name));
        if (!m_cover.isNull())
            return;
    }
    m_cover.load(QStringLiteral(":/pix/cover.png"));
}

} // namespace DIReridArazi
