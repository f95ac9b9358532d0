#pragma once

#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <zlib.h>

#include <vector>

// A valid PNG of side x side 8-bit gray pixels, all black, that compresses
// to about side * side / 1000 bytes: a picture small on disk and huge when
// decoded (23000 x 23000 is some 514 KB claiming 529 megapixels).
inline QByteArray hugePicture(quint32 side = 23000)
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
    QByteArray header(13, '\0');
    qToBigEndian(side, header.data());
    qToBigEndian(side, header.data() + 4);
    header[8] = 8; // bit depth; colour type 0 (gray), deflate, no filter, no interlace
    // Every row is its filter byte 0 and side zero samples.
    z_stream stream {};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    const std::vector<Bytef> row(side + 1, 0);
    std::vector<Bytef> out(1 << 16);
    QByteArray compressed;
    for (quint32 y = 0; y <= side; ++y) {
        const bool last = y == side;
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

// The peak resident memory of this process in KiB ("VmHWM:"), 0 where unknown.
inline qint64 peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}
