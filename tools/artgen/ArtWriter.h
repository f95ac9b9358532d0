#pragma once

#include <QDir>
#include <QImage>
#include <QMutex>
#include <QStringList>

// Where the painters put what they make. Thread-safe: painters may
// save from several threads at once.
class ArtWriter
{
public:
    ArtWriter(const QString& sourceDir, const QString& treeDir, const QString& bundleDir);

    // Saves into the embedded resource tree; relPath is the path after ":/".
    // The quality applies to JPEG files; PNG files are stored unfiltered.
    bool saveResource(const QString& relPath, const QImage& image, int quality = 90);
    // Saves into the bundle's Resources folder.
    bool saveBundleFile(const QString& name, const QImage& image, int quality = 90);
    // A file of the source tree's resources/ folder.
    QString sourcePath(const QString& relPath) const;

    bool writeQrc(const QString& qrcPath) const;
    bool failed() const;

private:
    bool save(const QString& path, const QImage& image, int quality);
    // Records the failure; always false.
    bool failedToWrite(const QString& path, const QString& error);

    QDir m_sourceDir;
    QDir m_treeDir;
    QDir m_bundleDir;
    mutable QMutex m_mutex;
    QStringList m_resources;
    bool m_failed = false;
};
