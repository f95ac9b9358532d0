#include "ArtWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QMutexLocker>
#include <QTextStream>
#include <algorithm>

ArtWriter::ArtWriter(const QString& sourceDir, const QString& treeDir, const QString& bundleDir)
    : m_sourceDir(sourceDir)
    , m_treeDir(treeDir)
    , m_bundleDir(bundleDir)
{
    m_treeDir.mkpath(QStringLiteral("."));
    m_bundleDir.mkpath(QStringLiteral("."));
}

bool ArtWriter::saveResource(const QString& relPath, const QImage& image, int quality)
{
    const bool ok = save(m_treeDir.filePath(relPath), image, quality);
    QMutexLocker lock(&m_mutex);
    m_resources << relPath;
    return ok;
}

bool ArtWriter::saveBundleFile(const QString& name, const QImage& image, int quality)
{
    return save(m_bundleDir.filePath(name), image, quality);
}

QString ArtWriter::sourcePath(const QString& relPath) const
{
    return m_sourceDir.filePath(relPath);
}

bool ArtWriter::save(const QString& path, const QImage& image, int quality)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path);
    // Quality is the JPEG setting; for PNG Qt would read it as "no compression".
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        writer.setQuality(quality);
    const bool ok = writer.write(image);
    if (!ok) {
        qWarning("artgen: cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
        QMutexLocker lock(&m_mutex);
        m_failed = true;
    }
    return ok;
}

bool ArtWriter::writeQrc(const QString& qrcPath) const
{
    QMutexLocker lock(&m_mutex);
    QStringList names = m_resources;
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());

    QFile file(qrcPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QDir qrcDir = QFileInfo(qrcPath).absoluteDir();
    QTextStream out(&file);
    out << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& name : names)
        out << "  <file alias=\"" << name << "\">"
            << qrcDir.relativeFilePath(m_treeDir.filePath(name)) << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    return file.error() == QFile::NoError;
}

bool ArtWriter::failed() const
{
    QMutexLocker lock(&m_mutex);
    return m_failed;
}
