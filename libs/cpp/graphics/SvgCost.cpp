#include "SvgCost.h"

#include "DrawingWork.h"
#include "PictureCost.h"
#include "PictureReader.h"
#include "SvgPicture.h"
#include "SvgScan.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QUrl>

#include <zlib.h>

namespace DAvuroD {

namespace {

const char gzipMagic[] = "\x1f\x8b";

// A gzip stream inflated, member after member, up to most bytes and one more
// (too large); empty when it does not inflate. What comes before the end of
// data cut short is kept.
QByteArray inflated(const QByteArray& data, int most)
{
    z_stream stream {};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return QByteArray();
    QByteArray out(most + 1, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    int result = Z_OK;
    while (result == Z_OK && stream.avail_out > 0) {
        result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_STREAM_END && stream.avail_in > 0)
            result = inflateReset(&stream);
    }
    out.resize(int(reinterpret_cast<char*>(stream.next_out) - out.constData()));
    inflateEnd(&stream);
    const bool whole = result == Z_STREAM_END || result == Z_BUF_ERROR || stream.avail_out == 0;
    return whole ? out : QByteArray();
}

qint64 milliseconds(double work)
{
    return qRound64(work / 1e6);
}

} // namespace

SvgCost::SvgCost(QIODevice* device)
{
    m_text = device->peek(maxSourceSize + 1);
    if (m_text.size() > maxSourceSize) {
        m_refusal = QStringLiteral("more than %1 bytes of SVG").arg(maxSourceSize);
        return;
    }
    const bool compressed = m_text.startsWith(gzipMagic);
    if (compressed)
        m_text = inflated(m_text, maxSourceSize);
    if (m_text.size() > maxSourceSize) {
        m_refusal = QStringLiteral("more than %1 bytes of SVG").arg(maxSourceSize);
        return;
    }
    if (m_text.startsWith(gzipMagic)) {
        m_refusal = QStringLiteral("it is compressed twice");
        return;
    }
    // Parsing a file's device, not its text, the renderer finds the pictures
    // the file names beside it.
    const auto* file = qobject_cast<QFile*>(device);
    m_fromFile = file && !compressed;
    read(m_fromFile ? QFileInfo(file->fileName()).absoluteDir() : QDir::current());
}

bool SvgCost::isSvg(const QByteArray& format)
{
    return format == "svg" || format == "svgz";
}

QString SvgCost::refusal() const
{
    return m_refusal;
}

QByteArray SvgCost::text() const
{
    return m_fromFile ? QByteArray() : m_text;
}

qint64 SvgCost::heldPixels() const
{
    return m_heldPixels;
}

double SvgCost::work(const SvgPicture& picture, const QSize& size) const
{
    const double canvas = double(size.width()) * size.height() * canvasWork;
    DrawingWork drawing(size, maxWork - m_readingWork - canvas);
    QPainter painter(&drawing);
    picture.render(&painter, size);
    painter.end();
    return m_readingWork + canvas + drawing.work();
}

QString SvgCost::drawingRefusal(const SvgPicture& picture, const QSize& size) const
{
    const double work = this->work(picture, size);
    if (work <= maxWork)
        return QString();
    return QStringLiteral("drawing it at %1 x %2 pixels takes too long (%3 ms)")
        .arg(size.width())
        .arg(size.height())
        .arg(milliseconds(work));
}

void SvgCost::read(const QDir& pictureFolder)
{
    SvgScan scan(m_text);
    m_refusal = scan.refusal();
    if (m_refusal.isEmpty())
        readPictures(scan, pictureFolder);
    if (m_refusal.isEmpty())
        readStyleFiles(scan);
    if (m_refusal.isEmpty() && scan.styleParts() > maxStyleParts)
        m_refusal = QStringLiteral("style sheets of more than %1 selectors and declarations")
                        .arg(maxStyleParts);
    if (m_refusal.isEmpty())
        addReadingWork(scan, m_text.size());
}

// The renderer decodes each picture whole while it parses, and copies it
// into premultiplied pixels: each counts twice.
void SvgCost::readPictures(const SvgScan& scan, const QDir& pictureFolder)
{
    for (QByteArray picture : scan.embeddedPictures()) {
        QBuffer buffer(&picture);
        buffer.open(QIODevice::ReadOnly);
        addPicture(&buffer);
        if (!m_refusal.isEmpty())
            return;
    }
    for (const QString& name : scan.pictureFiles()) {
        const QString path = QUrl(name).isRelative() ? pictureFolder.absoluteFilePath(name) : name;
        const QFileInfo info(path);
        if (!info.exists())
            continue;
        if (!info.isFile()) {
            m_refusal = QStringLiteral("an image names %1, which is no file").arg(name);
            return;
        }
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            addPicture(&file);
        if (!m_refusal.isEmpty())
            return;
    }
}

void SvgCost::addPicture(QIODevice* device)
{
    QImageReader reader(device);
    if (isSvg(reader.format())) {
        m_refusal = QStringLiteral("an image holds an SVG");
        return;
    }
    const PictureCost cost(reader);
    if (!cost.refusal().isEmpty()) {
        m_refusal = QStringLiteral("an image: %1").arg(cost.refusal());
        return;
    }
    m_heldPixels += cost.pixels(cost.size()) * 2;
    if (m_heldPixels > PictureReader::maxPixels)
        m_refusal
            = QStringLiteral("its images hold more than %1 pixels").arg(PictureReader::maxPixels);
}

// The renderer reads a style sheet file named in the current folder, whole.
void SvgCost::readStyleFiles(SvgScan& scan)
{
    for (const QString& name : scan.styleFiles()) {
        const QFileInfo info(name);
        if (!info.exists())
            continue;
        if (!info.isFile() || info.size() > maxSourceSize) {
            m_refusal = QStringLiteral("a style sheet named %1 is no file of at most %2 bytes")
                            .arg(name)
                            .arg(maxSourceSize);
            return;
        }
        QFile file(info.absoluteFilePath());
        if (file.open(QIODevice::ReadOnly))
            scan.addStyleSheet(QString::fromUtf8(file.readAll()));
    }
}

void SvgCost::addReadingWork(const SvgScan& scan, qint64 bytes)
{
    const SvgScan::Walk walk = scan.walk();
    const double parsing = scan.elements() * elementParseWork + bytes * byteParseWork
        + scan.styleWork() + m_heldPixels * pictureDecodeWork;
    const double walking = walks
        * (walk.elements * elementWalkWork + walk.segments * segmentWalkWork
            + walk.texts * textWalkWork + walk.characters * letterWalkWork);
    m_readingWork = parsing + walking;
    if (m_readingWork > maxWork)
        m_refusal = QStringLiteral("reading it takes too long: %1 elements and their style "
                                   "(%2 ms), walked as %3 elements and %4 letters of text (%5 ms)")
                        .arg(scan.elements())
                        .arg(milliseconds(parsing))
                        .arg(walk.elements)
                        .arg(walk.characters)
                        .arg(milliseconds(walking));
}

} // namespace DAvuroD
