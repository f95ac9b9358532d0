#pragma once

#include <QPixmap>
#include <QString>

namespace DIReridArazi {

// The cover picture of an audio file: the first loadable picture in the
// file's folder, in directory order, within PictureReader's pixel budget.
// The audio file itself is not opened. Needs a QGuiApplication.
class ID3Info
{
public:
    explicit ID3Info(const QString& path);
    ID3Info(const ID3Info& other) = default;
    virtual ~ID3Info();

    const QPixmap& cover() const;

private:
    void findCover();

    QString m_path;
    QPixmap m_cover;
};

} // namespace DIReridArazi
