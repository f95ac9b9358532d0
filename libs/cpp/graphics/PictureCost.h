#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QImageReader;

namespace DAvuroD {

// What decoding a picture with QImageReader costs, told before a pixel is
// decoded and whatever its container's header claims: the size read() gives
// and the bytes held meanwhile. Qt decodes a pixel into the bytes of the
// format its handler tells: 4 for 8-bit colour, 8 for 16-bit colour, 1 for
// grey or a palette, 2 for 16-bit grey, an eighth for black and white. A
// picture of fewer than 32 bits a pixel is copied into 32 bits to be scaled
// or shown; one of 64 bits is scaled as it is and shown converted in place.
// An icon or cursor whose first entry holds a PNG decodes at the PNG's own
// size; a GIF keeps a second picture of its screen while it decodes a frame;
// a JPEG in several scans keeps the coefficients of the whole picture. A
// picture whose cost cannot be told is refused. An SVG is drawn by a helper
// process within its limits (SvgClientPool).
class PictureCost
{
public:
    // Reads the headers from the reader's device, leaving the reader ready
    // to read.
    explicit PictureCost(QImageReader& reader);

    // Why the picture is refused, or an empty text (also for no picture).
    QString refusal() const;
    // The size read() gives for the whole picture; empty when the picture is
    // refused or unreadable.
    QSize size() const;
    // The size it is decoded at for target, which is no larger than size():
    // an eighth to the whole for a JPEG in one scan, otherwise size().
    QSize decodedSize(const QSize& target) const;
    // The bytes held while it is decoded at decoded and made ready to be
    // scaled or shown.
    qint64 bytes(const QSize& decoded) const;

private:
    void readIcon();
    void readGif();

    QImageReader& m_reader;
    QByteArray m_format;
    QString m_refusal;
    QSize m_size;
    // The largest picture the decoder may make, where its reported size is
    // no bound.
    QSize m_largest;
    // The format it decodes to, and bytes held besides the picture.
    QImage::Format m_imageFormat = QImage::Format_Invalid;
    qint64 m_heldBytes = 0;
    bool m_decodesAtScale = false;
};

} // namespace DAvuroD
