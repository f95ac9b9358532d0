#pragma once

// Its tests read the peak memory that a hostile picture costs.
#include "../common/PeakMemory.h"

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QtEndian>

#include <zlib.h>

#include <vector>

// A valid PNG of size gray pixels (or RGB ones) of depth bits a sample, all
// black, that compresses to about a thousandth of its samples: a picture
// small on disk and huge when decoded (23000 x 23000 is some 514 KB claiming
// 529 megapixels).
inline QByteArray hugePicture(const QSize& size, bool rgb = false, int depth = 8)
{
    const auto chunk = [](const char* type, const QByteArray& data) {
        QByteArray body = QByteArray(type, 4) + data;
        QByteArray bytes(4, '\0');
        qToBigEndian(quint32(data.size()), bytes.data());
        bytes += body;
        QByteArray crc(4, '\0');
        qToBigEndian(
            quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
            crc.data());
        return bytes + crc;
    };
    const auto width = quint32(size.width());
    const auto height = quint32(size.height());
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = char(depth); // colour type 0 (gray) or 2 (RGB), deflate, no filter, no interlace
    header[9] = rgb ? 2 : 0;
    // Every row is its filter byte 0 and width zero samples.
    z_stream stream {};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    const std::vector<Bytef> row(width * (rgb ? 3 : 1) * quint32(depth) / 8 + 1, 0);
    std::vector<Bytef> out(1 << 16);
    QByteArray compressed;
    for (quint32 y = 0; y <= height; ++y) {
        const bool last = y == height;
        stream.next_in = const_cast<Bytef*>(row.data());
        stream.avail_in = last ? 0 : uInt(row.size());
        do {
            stream.next_out = out.data();
            stream.avail_out = uInt(out.size());
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            compressed.append(
                reinterpret_cast<const char*>(out.data()), int(out.size() - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", compressed)
        + chunk("IEND", QByteArray());
}

// The PNG above, of side x side pixels.
inline QByteArray hugePicture(quint32 side = 23000, bool rgb = false, int depth = 8)
{
    return hugePicture(QSize(int(side), int(side)), rgb, depth);
}

// The bytes gzip-compressed, at the level given (0: stored as they are).
inline QByteArray gzipped(const QByteArray& bytes, int level = Z_BEST_COMPRESSION)
{
    z_stream stream {};
    deflateInit2(&stream, level, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(bytes.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(int(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// An icon (or a cursor) of one entry that claims 16 x 16 pixels and holds png.
inline QByteArray iconHolding(const QByteArray& png, bool cursor = false)
{
    QByteArray icon(22, '\0');
    qToLittleEndian<quint16>(cursor ? 2 : 1, icon.data() + 2);
    qToLittleEndian<quint16>(1, icon.data() + 4); // one entry
    icon[6] = 16;
    icon[7] = 16;
    qToLittleEndian<quint16>(1, icon.data() + 10); // planes
    qToLittleEndian<quint16>(32, icon.data() + 12); // bits a pixel
    qToLittleEndian<quint32>(quint32(png.size()), icon.data() + 14);
    qToLittleEndian<quint32>(22, icon.data() + 18); // where the entry's picture starts
    return icon + png;
}

// A GIF of a screen and one frame over it, as large unless given, that
// restores the screen when it is done: the decoder keeps a second picture of
// the screen for that.
inline QByteArray restoringGif(const QSize& screen, QSize frame = QSize())
{
    frame = frame.isValid() ? frame : screen;
    QByteArray gif("GIF89a", 6);
    QByteArray header(7, '\0');
    qToLittleEndian(quint16(screen.width()), header.data());
    qToLittleEndian(quint16(screen.height()), header.data() + 2);
    header[4] = char(0x80); // a global colour table of two colours
    gif += header + QByteArray("\0\0\0\xff\xff\xff", 6);
    gif += QByteArray("\x21\xf9\x04\x0c\0\0\0\0", 8); // disposal: restore the screen
    QByteArray descriptor(10, '\0');
    descriptor[0] = ',';
    qToLittleEndian(quint16(frame.width()), descriptor.data() + 5);
    qToLittleEndian(quint16(frame.height()), descriptor.data() + 7);
    // A clear code and the end of the data, then the end of the file.
    return gif + descriptor + QByteArray("\x02\x02\x4c\x01\0;", 6);
}

// A GIF of frames frames of size, its first frame after a comment of
// commentBytes, which the format stores in blocks of up to 255 bytes.
inline QByteArray commentedGif(const QSize& size, int frames, int commentBytes, int block = 255)
{
    QByteArray gif("GIF89a", 6);
    QByteArray header(7, '\0');
    qToLittleEndian(quint16(size.width()), header.data());
    qToLittleEndian(quint16(size.height()), header.data() + 2);
    header[4] = char(0x80); // a global colour table of two colours
    gif += header + QByteArray("\0\0\0\xff\xff\xff", 6) + QByteArray("\x21\xfe", 2);
    for (int left = commentBytes; left > 0; left -= block)
        gif += char(qMin(left, block)) + QByteArray(qMin(left, block), 'c');
    gif += '\0';
    for (int i = 0; i < frames; ++i) {
        QByteArray descriptor(10, '\0');
        descriptor[0] = ',';
        qToLittleEndian(quint16(size.width()), descriptor.data() + 5);
        qToLittleEndian(quint16(size.height()), descriptor.data() + 7);
        // A clear code and the end of the data.
        gif += descriptor + QByteArray("\x02\x02\x4c\x01\0", 5);
    }
    return gif + ';';
}

// A PNG of some hundred bytes whose header claims size pixels of the
// format's kind (grey, 8-bit colour with alpha, 16-bit colour): refused by
// its header alone, it costs nothing to make.
inline QByteArray claimingPicture(QImage::Format format, const QSize& size)
{
    const auto bigEndian = [](quint32 value) {
        QByteArray bytes;
        QDataStream(&bytes, QIODevice::WriteOnly) << value;
        return bytes;
    };
    QImage small(4, 4, format);
    small.fill(Qt::gray);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(small);
    QByteArray bytes = buffer.data();
    // The header's data follows the signature, its length and its type; its
    // CRC covers type and data.
    bytes.replace(16, 8, bigEndian(quint32(size.width())) + bigEndian(quint32(size.height())));
    const auto* header = reinterpret_cast<const Bytef*>(bytes.constData() + 12);
    return bytes.replace(29, 4, bigEndian(quint32(crc32(0, header, 17))));
}

// A JPEG of some 600 bytes whose frame header claims side x side pixels, in
// one scan or progressive: its data ends long before such a picture's would.
inline QByteArray hugeJpeg(quint16 side, bool progressive = false)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    QByteArray bytes = buffer.data();
    // Marker segments from the start-of-image marker on, to the frame header.
    for (int at = 2; at + 9 < bytes.size();) {
        const uchar marker = uchar(bytes.at(at + 1));
        if (marker == 0xC0 || marker == 0xC2) {
            qToBigEndian(side, bytes.data() + at + 5);
            qToBigEndian(side, bytes.data() + at + 7);
            break;
        }
        at += 2 + qFromBigEndian<quint16>(bytes.constData() + at + 2);
    }
    return bytes;
}

// Writes a photograph-sized JPEG (a soft gradient, quality 80, in one scan).
// Making it takes the whole picture in memory, some 430 MB at 12000 x 9000.
inline bool writePhotograph(const QString& path, const QSize& size = QSize(12000, 9000))
{
    QImage image(size, QImage::Format_RGB32);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(200, 120, 40));
    gradient.setColorAt(1, QColor(40, 120, 200));
    QPainter painter(&image);
    painter.fillRect(image.rect(), gradient);
    painter.end();
    QImageWriter writer(path, "jpeg");
    writer.setQuality(80);
    return writer.write(image);
}
