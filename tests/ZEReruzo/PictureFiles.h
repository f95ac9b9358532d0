#pragma once

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

// Picture files of one colour in a temporary folder.
class PictureFiles
{
public:
    // Writes NAME as a w x h picture of the colour; returns its path.
    QString write(const QString& name, const QColor& colour, int w = 40, int h = 30)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = m_dir.filePath(name);
        image.save(path);
        return path;
    }

    QString path(const QString& name) const
    {
        return m_dir.filePath(name);
    }

private:
    QTemporaryDir m_dir;
};
