#include "GifStripHandler.h"

#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QVector>

namespace {

const int transparentIndex = 255;
const int minimumCodeSize = 8;
const int clearCode = 1 << minimumCodeSize;
const int endCode = clearCode + 1;
// A clear code before the table grows past 9-bit codes keeps every code
// 9 bits wide: a valid stream without a dictionary.
const int codesPerClear = 250;

void putWord(QByteArray& out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

// LSB-first bit packing into GIF sub-blocks.
class CodeWriter
{
public:
    void put(int code)
    {
        m_bits |= quint32(code) << m_count;
        m_count += 9;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xff));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    QByteArray blocks()
    {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xff));
        QByteArray out;
        for (int at = 0; at < m_bytes.size(); at += 255) {
            const QByteArray chunk = m_bytes.mid(at, 255);
            out.append(char(chunk.size()));
            out.append(chunk);
        }
        out.append(char(0));
        return out;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

QByteArray encodeIndices(const QVector<uchar>& indices)
{
    CodeWriter writer;
    for (int i = 0; i < indices.size(); ++i) {
        if (i % codesPerClear == 0)
            writer.put(clearCode);
        writer.put(indices[i]);
    }
    writer.put(endCode);
    return writer.blocks();
}

} // namespace

bool GifStripHandler::canRead() const
{
    return false;
}

bool GifStripHandler::read(QImage*)
{
    return false;
}

QString GifStripHandler::framesKey()
{
    return QStringLiteral("frames");
}

QString GifStripHandler::delayKey()
{
    return QStringLiteral("delay");
}

bool GifStripHandler::write(const QImage& strip)
{
    const int frames = strip.text(framesKey()).toInt();
    if (frames < 1 || strip.width() % frames != 0)
        return false;
    const QImage image = strip.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width() / frames;
    const int height = image.height();

    QVector<QRgb> palette;
    QHash<QRgb, int> lookup;
    QVector<uchar> indices(image.width() * height);
    for (int y = 0; y < height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            int index = transparentIndex;
            if (qAlpha(line[x]) >= 128) {
                const QRgb colour = line[x] | 0xff000000;
                index = lookup.value(colour, -1);
                if (index < 0) {
                    if (palette.size() == transparentIndex)
                        return false;
                    index = palette.size();
                    lookup.insert(colour, index);
                    palette.append(colour);
                }
            }
            indices[y * image.width() + x] = uchar(index);
        }
    }
    palette.resize(256);

    QByteArray out("GIF89a");
    putWord(out, width);
    putWord(out, height);
    out.append(char(0xf7)); // global table of 256 colours
    out.append(char(transparentIndex));
    out.append(char(0));
    for (QRgb colour : palette) {
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    // Loop for ever.
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01", 16);
    putWord(out, 0);
    out.append(char(0));

    const int delay = qMax(1, strip.text(delayKey()).toInt() / 10);
    for (int frame = 0; frame < frames; ++frame) {
        out.append("\x21\xf9\x04", 3);
        out.append(char(0x09)); // restore to background, transparency on
        putWord(out, delay);
        out.append(char(transparentIndex));
        out.append(char(0));
        out.append(char(0x2c));
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, width);
        putWord(out, height);
        out.append(char(0));
        out.append(char(minimumCodeSize));
        QVector<uchar> frameIndices;
        frameIndices.reserve(width * height);
        for (int y = 0; y < height; ++y) {
            const int start = y * image.width() + frame * width;
            frameIndices.append(indices.mid(start, width));
        }
        out.append(encodeIndices(frameIndices));
    }
    out.append(char(0x3b));
    return device()->write(out) == out.size();
}
