#include "PictureCost.h"

#include "JpegHeader.h"

#include <QIODevice>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <QtMath>

#include <climits>

namespace DAvuroD {

namespace {

// A GIF's first frame is looked for in these bytes, of a device that can
// seek and of one that cannot; an icon's first entry in the latter.
constexpr qint64 maxGifHeader = qint64(64) << 20;
constexpr qint64 maxSequentialHeader = qint64(4) << 20;

// The bytes of a device from its position on, read without moving it: by
// seeking where it can, else from what it can peek.
class Ahead
{
public:
    explicit Ahead(QIODevice* device)
        : m_device(device)
        , m_start(device->pos())
    {
        if (device->isSequential())
            m_window = device->peek(maxSequentialHeader);
    }

    // The bytes at, or fewer where the device ends.
    QByteArray read(qint64 at, int count)
    {
        hold(at, count);
        return at - m_windowAt < m_window.size() ? m_window.mid(int(at - m_windowAt), count)
                                                 : QByteArray();
    }

    // The byte at, or -1 where the device ends; read from the window, without a copy.
    int byte(qint64 at)
    {
        hold(at, 1);
        return at - m_windowAt < m_window.size() ? uchar(m_window.at(int(at - m_windowAt))) : -1;
    }

    // How far it can be read.
    qint64 reach() const
    {
        return m_device->isSequential() ? m_window.size() : maxGifHeader;
    }

private:
    // Moves the window of a device that can seek over the count bytes at.
    void hold(qint64 at, int count)
    {
        if (m_device->isSequential()
            || (at >= m_windowAt && at + count <= m_windowAt + m_window.size()))
            return;
        m_windowAt = at;
        m_device->seek(m_start + at);
        m_window = m_device->read(qMax(count, 1 << 16));
        m_device->seek(m_start);
    }

    QIODevice* m_device;
    qint64 m_start;
    QByteArray m_window;
    qint64 m_windowAt = 0;
};

// The bytes of a picture of bits a pixel, its lines padded to 32 bits as
// QImage pads them.
double bytesOf(const QSize& size, int bits)
{
    const double line = double((qint64(qMax(0, size.width())) * bits + 31) / 32 * 4);
    return line * qMax(0, size.height());
}

// The bits a pixel of a picture in format; an unknown format counts as 32.
int bitsOf(QImage::Format format)
{
    return format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
}

// The bits a pixel of the copy in 32 bits that scaling or showing a picture
// in format makes: none for 32 bits a pixel or more, which are premultiplied,
// and shown as 32, in place (PictureReader and QPixmap do so).
int bitsOfCopy(QImage::Format format)
{
    return bitsOf(format) < 32 ? 32 : 0;
}

} // namespace

PictureCost::PictureCost(QImageReader& reader)
    : m_reader(reader)
    , m_format(reader.format())
{
    if (m_format.isEmpty())
        return;
    if (m_format == "ico" || m_format == "cur") {
        readIcon();
    } else if (m_format == "jpeg") {
        // Before the reader reads the header, which moves the device on.
        const JpegHeader header(reader.device());
        m_decodesAtScale = header.isValid() && !header.hasMultipleScans();
        m_heldBytes = header.coefficientBytes();
    } else if (m_format == "gif") {
        readGif();
    }
    if (m_refusal.isEmpty() && !m_size.isValid())
        m_size = reader.size();
    if (m_imageFormat == QImage::Format_Invalid)
        m_imageFormat = reader.imageFormat();
}

QString PictureCost::refusal() const
{
    return m_refusal;
}

QSize PictureCost::size() const
{
    return m_refusal.isEmpty() ? m_size : QSize();
}

QSize PictureCost::decodedSize(const QSize& target) const
{
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

qint64 PictureCost::bytes(const QSize& decoded) const
{
    const QSize largest = decoded.expandedTo(m_largest);
    // A GIF holds a second picture of its screen.
    const int screens = m_format == "gif" ? 2 : 1;
    const double bytes = bytesOf(largest, bitsOf(m_imageFormat)) * screens
        + bytesOf(largest, bitsOfCopy(m_imageFormat)) + double(m_heldBytes);
    return qint64(qMin(bytes, double(LLONG_MAX / 2)));
}

// The icon reader decodes the first entry, a PNG whole whatever size the entry
// gives, into a buffer of the size the entry gives; another entry is a bitmap
// of at most 256 x 256, which the entry gives. Where the entry's offset lies
// beyond the data, it reads on after the entry.
void PictureCost::readIcon()
{
    Ahead ahead(m_reader.device());
    const QByteArray directory = ahead.read(0, 22);
    if (directory.size() < 22)
        return;
    const quint32 offset = qFromLittleEndian<quint32>(directory.constData() + 18);
    QByteArray png = ahead.read(offset, 26);
    if (png.isEmpty())
        png = ahead.read(22, 26);
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
    m_heldBytes = qMin<qint64>(qFromLittleEndian<quint32>(directory.constData() + 14), INT_MAX);
}

// The GIF reader makes a picture of the screen the header gives, or of the
// first frame where it doubts the screen, whatever size it reports; and it
// keeps a second one while it decodes a frame that restores the screen.
void PictureCost::readGif()
{
    Ahead ahead(m_reader.device());
    const QByteArray header = ahead.read(0, 13);
    const auto number = [&ahead](qint64 at) {
        const QByteArray two = ahead.read(at, 2);
        return two.size() == 2 ? int(qFromLittleEndian<quint16>(two.constData())) : -1;
    };
    const uchar flags = header.size() > 10 ? uchar(header.at(10)) : 0;
    qint64 at = 13 + (flags & 0x80 ? 3 << ((flags & 7) + 1) : 0);
    // Extensions, each a label and blocks of data up to an empty one.
    while (at < ahead.reach() && ahead.byte(at) == '!') {
        for (at += 2; at < ahead.reach() && ahead.byte(at) > 0; at += ahead.byte(at) + 1) { }
        ++at;
    }
    if (at >= ahead.reach()) {
        m_refusal
            = QStringLiteral("its first frame is not within its first %1 bytes").arg(ahead.reach());
        return;
    }
    m_largest = QSize(number(6), number(8));
    if (ahead.byte(at) == ',' && number(at + 7) >= 0)
        m_largest = m_largest.expandedTo(
            QSize(number(at + 1) + number(at + 5), number(at + 3) + number(at + 7)));
}

} // namespace DAvuroD
