#pragma once

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

// A temporary folder of small files, written and read by name.
class TestFolder
{
public:
    QString path() const
    {
        return m_dir.path();
    }

    QString path(const QString& name) const
    {
        return m_dir.filePath(name);
    }

    // Writes the bytes as NAME; returns its path.
    QString write(const QString& name, const QByteArray& content)
    {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
        return file.fileName();
    }

    // Writes NAME as a w x h picture of one colour; returns its path.
    QString writePicture(const QString& name, const QColor& colour, int w = 40, int h = 30)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path(name), "PNG");
        return path(name);
    }

    // The bytes of NAME, or "<missing>".
    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList files() const
    {
        return QDir(path()).entryList(QDir::Files);
    }

private:
    QTemporaryDir m_dir;
};
