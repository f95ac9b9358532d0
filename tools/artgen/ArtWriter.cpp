#include "ArtWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QMutexLocker>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <png.h>

namespace {

// Writes a PNG whose rows are stored unfiltered: inflating them is the
// whole cost of reading, about half of what adaptive filtering costs, which
// counts for the many small pictures read before the first frame. The
// pixels stay exact: RGBA where the image has alpha, grey where every pixel
// of an opaque image is grey, else RGB.
bool writeUnfilteredPng(const QString& path, const QImage& image)
{
    QImage rows;
    int colorType = PNG_COLOR_TYPE_RGB;
    if (image.hasAlphaChannel()) {
        rows = image.convertToFormat(QImage::Format_RGBA8888);
        colorType = PNG_COLOR_TYPE_RGBA;
    } else if (image.allGray()) {
        rows = image.convertToFormat(QImage::Format_Grayscale8);
        colorType = PNG_COLOR_TYPE_GRAY;
    } else {
        rows = image.convertToFormat(QImage::Format_RGB888);
    }
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = info && !setjmp(png_jmpbuf(png));
    if (ok) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(rows.width()), png_uint_32(rows.height()), 8, colorType,
            PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, 9);
        png_write_info(png, info);
        for (int y = 0; y < rows.height(); ++y)
            png_write_row(png, rows.constScanLine(y));
        png_write_end(png, info);
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}

} // namespace

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
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png") && !image.isNull())
        return writeUnfilteredPng(path, image) || failedToWrite(path, QStringLiteral("PNG error"));
    QImageWriter writer(path);
    // Quality is the JPEG setting.
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        writer.setQuality(quality);
    return writer.write(image) || failedToWrite(path, writer.errorString());
}

bool ArtWriter::failedToWrite(const QString& path, const QString& error)
{
    qWarning("artgen: cannot write %s: %s", qPrintable(path), qPrintable(error));
    QMutexLocker lock(&m_mutex);
    m_failed = true;
    return false;
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
