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

// The gzip stream inflated, up to most bytes and one more (too large); empty
// when it does not inflate.
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
    const int result = inflate(&stream, Z_FINISH);
    out.resize(int(stream.total_out));
    inflateEnd(&stream);
    return result == Z_STREAM_END || stream.avail_out == 0 ? out : QByteArray();
}

bool isSvg(const QByteArray& format)
{
    return format == "svg" || format == "svgz";
}

qint64 milliseconds(double work)
{
    return qRound64(work / 1e6);
}

} // namespace

SvgCost::SvgCost(QIODevice* device, const QByteArray& format)
{
    QByteArray source = device->peek(maxSourceSize + 1);
    if (source.startsWith("\x1f\x8b"))
        source = inflated(source, maxSourceSize);
    if (source.size() > maxSourceSize) {
        m_refusal = QStringLiteral("more than %1 bytes of SVG").arg(maxSourceSize);
        return;
    }
    // Parsing a file's device, not its text, the renderer finds the pictures
    // the file names beside it.
    const auto* file = qobject_cast<QFile*>(device);
    read(source,
        file && format != "svgz" ? QFileInfo(file->fileName()).absoluteDir() : QDir::current());
}

SvgCost::~SvgCost() = default;

QString SvgCost::refusal() const
{
    return m_refusal;
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

void SvgCost::read(const QByteArray& source, const QDir& pictureFolder)
{
    SvgScan scan(source);
    m_refusal = scan.refusal();
    if (m_refusal.isEmpty())
        readPictures(scan, pictureFolder);
    if (m_refusal.isEmpty())
        readStyleFiles(scan);
    if (m_refusal.isEmpty() && scan.styleParts() > maxStyleParts)
        m_refusal = QStringLiteral("style sheets of more than %1 selectors and declarations")
                        .arg(maxStyleParts);
    if (m_refusal.isEmpty())
        addReadingWork(scan, source.size());
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
