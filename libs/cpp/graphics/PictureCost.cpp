#include "PictureCost.h"

#include "JpegHeader.h"
#include "PictureReader.h"
#include "SvgCost.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <QtMath>

#include <climits>

namespace DAvuroD {

namespace {

// A GIF's first frame is looked for in these bytes.
constexpr int maxGifHeader = 1 << 16;

// The bits a pixel of the copy in 32 bits that scaling or showing a picture
// in format makes: none for 32 bits a pixel, premultiplied in place where it
// has to be (PictureReader and QPixmap do so).
int bitsOfCopy(QImage::Format format)
{
    switch (format) {
    case QImage::Format_Invalid:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGBX8888:
    case QImage::Format_RGBA8888_Premultiplied:
        return 0;
    default:
        return 32;
    }
}

} // namespace

PictureCost::PictureCost(QImageReader& reader)
    : m_reader(reader)
    , m_format(reader.format())
{
    if (m_format.isEmpty())
        return;
    if (isSvg()) {
        readSvg();
        return;
    }
    if (m_format == "ico" || m_format == "cur") {
        readIcon();
    } else if (m_format == "jpeg") {
        // Before the reader reads the header, which moves the device on.
        const JpegHeader header(reader.device());
        m_decodesAtScale = header.isValid() && !header.hasMultipleScans();
        m_heldPixels = (header.coefficientBytes() + 3) / 4;
    } else if (m_format == "gif") {
        readGif();
    }
    if (m_refusal.isEmpty() && !m_size.isValid())
        m_size = reader.size();
    if (m_imageFormat == QImage::Format_Invalid)
        m_imageFormat = reader.imageFormat();
}

PictureCost::~PictureCost() = default;

QString PictureCost::refusal() const
{
    return m_refusal;
}

bool PictureCost::isSvg() const
{
    return m_format == "svg" || m_format == "svgz";
}

QSize PictureCost::size()
{
    if (!m_refusal.isEmpty())
        return QSize();
    if (isSvg() && !m_size.isValid())
        m_size = m_reader.size();
    return m_size;
}

QSize PictureCost::decodedSize(const QSize& target) const
{
    if (isSvg())
        return target;
    if (!m_decodesAtScale)
        return m_size;
    // libjpeg decodes at M/8 of the size for M of 1 to 8, and Qt's handler
    // picks the least M that covers target.
    const double factor
        = qMin(double(m_size.width()) / target.width(), double(m_size.height()) / target.height());
    const int eighths = qBound(1, qCeil(8 / factor), 8);
    return QSize(int((m_size.width() * qint64(eighths) + 7) / 8),
        int((m_size.height() * qint64(eighths) + 7) / 8));
}

qint64 PictureCost::pixels(const QSize& decoded) const
{
    const QSize largest = decoded.expandedTo(m_largest);
    const double area = qMax(0.0, double(largest.width()) * largest.height());
    // An unknown format counts as 32 bits.
    const int bits = m_imageFormat == QImage::Format_Invalid
        ? 32
        : QImage::toPixelFormat(m_imageFormat).bitsPerPixel();
    // A GIF holds a second picture of its screen.
    const int screens = m_format == "gif" ? 2 : 1;
    const double bytes = area * (bits * screens + bitsOfCopy(m_imageFormat)) / 8;
    return qint64(qMin(std::ceil(bytes / 4) + double(m_heldPixels), double(LLONG_MAX / 2)));
}

QString PictureCost::workRefusal(const QSize& decoded) const
{
    return m_svg ? m_svg->workRefusal(decoded) : QString();
}

// The icon reader decodes the first entry, a PNG whole whatever size the entry
// gives, into a buffer of the size the entry gives; another entry is a bitmap
// of at most 256 x 256, which the entry gives. Where the entry's offset lies
// beyond the data, it reads on after the entry.
void PictureCost::readIcon()
{
    QIODevice* device = m_reader.device();
    const QByteArray directory = device->peek(22);
    if (device->isSequential()) {
        m_refusal = QStringLiteral("an icon that cannot be read twice");
        return;
    }
    if (directory.size() < 22)
        return;
    const qint64 start = device->pos();
    if (!device->seek(start + qFromLittleEndian<quint32>(directory.constData() + 18)))
        device->seek(start + 22);
    const QByteArray png = device->read(26);
    device->seek(start);
    if (!png.startsWith("\x89PNG\r\n\x1a\n"))
        return;
    const quint32 width = png.size() == 26 ? qFromBigEndian<quint32>(png.constData() + 16) : 0;
    const quint32 height = png.size() == 26 ? qFromBigEndian<quint32>(png.constData() + 20) : 0;
    if (png.mid(12, 4) != "IHDR" || width == 0 || height == 0 || width > INT_MAX
        || height > INT_MAX) {
        m_refusal = QStringLiteral("an icon entry holds a PNG without a size");
        return;
    }
    m_size = QSize(int(width), int(height));
    // 16-bit samples decode to 64-bit pixels, others to 32 bits at most.
    m_imageFormat = png.at(24) == 16 ? QImage::Format_RGBA64 : QImage::Format_ARGB32;
    const qint64 buffer
        = qMin<qint64>(qFromLittleEndian<quint32>(directory.constData() + 14), INT_MAX);
    m_heldPixels = (buffer + 3) / 4;
}

// The GIF reader makes a picture of the screen the header gives, or of the
// first frame where it doubts the screen, whatever size it reports; and it
// keeps a second one while it decodes a frame that restores the screen.
void PictureCost::readGif()
{
    const QByteArray gif = m_reader.device()->peek(maxGifHeader);
    const auto number = [&gif](int at) {
        return at + 2 <= gif.size() ? int(qFromLittleEndian<quint16>(gif.constData() + at)) : -1;
    };
    const uchar flags = gif.size() > 10 ? uchar(gif.at(10)) : 0;
    int at = 13 + (flags & 0x80 ? 3 << ((flags & 7) + 1) : 0);
    // Extensions, each a label and blocks up to an empty one.
    while (at < gif.size() && gif.at(at) == '!') {
        for (at += 2; at < gif.size() && gif.at(at) != 0; at += uchar(gif.at(at)) + 1) { }
        ++at;
    }
    if (at >= gif.size() || (gif.at(at) == ',' && number(at + 7) < 0)) {
        m_refusal
            = QStringLiteral("its first frame is not within its first %1 bytes").arg(maxGifHeader);
        return;
    }
    m_largest = QSize(number(6), number(8));
    if (gif.at(at) == ',')
        m_largest = m_largest.expandedTo(
            QSize(number(at + 1) + number(at + 5), number(at + 3) + number(at + 7)));
}

void PictureCost::readSvg()
{
    m_svg = std::make_unique<SvgCost>(m_reader.device());
    m_refusal = m_svg->refusal();
    for (QByteArray picture : m_svg->pictures()) {
        QBuffer buffer(&picture);
        QImageReader reader(&buffer);
        PictureCost cost(reader);
        if (cost.isSvg())
            m_refusal = QStringLiteral("an image holds an SVG");
        else if (!cost.refusal().isEmpty())
            m_refusal = QStringLiteral("an image: %1").arg(cost.refusal());
        m_heldPixels += cost.pixels(cost.size());
        if (m_refusal.isEmpty() && m_heldPixels > PictureReader::maxPixels)
            m_refusal = QStringLiteral("its images hold more than %1 pixels")
                            .arg(PictureReader::maxPixels);
        if (!m_refusal.isEmpty())
            return;
    }
}

} // namespace DAvuroD
