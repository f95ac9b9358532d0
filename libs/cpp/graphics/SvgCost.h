#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class QDir;
class QIODevice;

namespace DAvuroD {

class SvgPicture;
class SvgScan;

// What reading and drawing an SVG with QSvgRenderer costs, in nanoseconds of
// this machine, told in two steps. Before the renderer parses it, from its
// source (SvgScan): parsing its elements and bytes, matching its style
// sheets, walking its drawing three times (to tell its size, to count the
// drawing, to draw), each element, text and letter of text as often as it
// is drawn, and decoding the pictures it embeds or names, which are refused
// beyond the picture budget, as are files to read that are no files. Once it is
// parsed, at the size it is drawn: the image drawn on, and what the raster
// engine takes to draw each of its shapes there (DrawingWork). Refused
// beyond maxWork, a second of this machine. Measured, the whole comes to
// 1.0 to 9 times the renderer's own time for the SVGs of a desktop (the
// most for drawings of a few milliseconds), so that every one it draws
// within a quarter of a second is shown, and to at least 0.8 times it for
// drawings made slow, so that one shown takes at most about a second and a
// quarter.
class SvgCost
{
public:
    static constexpr int maxSourceSize = 8 << 20;
    // Style sheet selectors and declarations held at most.
    static constexpr int maxStyleParts = 100000;
    static constexpr double maxWork = 1e9;
    static constexpr double elementParseWork = 3000;
    static constexpr double byteParseWork = 25;
    static constexpr double elementWalkWork = 1500;
    static constexpr double segmentWalkWork = 30;
    static constexpr double textWalkWork = 100000;
    static constexpr double letterWalkWork = 4000;
    static constexpr double canvasWork = 2;
    static constexpr double pictureDecodeWork = 10;
    static constexpr int walks = 3;

    // Reads what is left of the device, gzip-compressed or not, leaving its
    // position where it was.
    explicit SvgCost(QIODevice* device);

    // Whether QImageReader's format is the renderer's.
    static bool isSvg(const QByteArray& format);

    // Why the SVG is refused before it is parsed, or an empty text.
    QString refusal() const;
    // The text the renderer is to parse, inflated where it was compressed:
    // the text read; null where it is to parse the file from its device.
    QByteArray text() const;
    // The pixels of the pictures the renderer decodes while it parses.
    qint64 heldPixels() const;
    // The work of reading the SVG and drawing it, once parsed, at size; past
    // maxWork, no more than enough to tell so.
    double work(const SvgPicture& picture, const QSize& size) const;
    // Why drawing the parsed SVG at size is refused, or an empty text.
    QString drawingRefusal(const SvgPicture& picture, const QSize& size) const;

private:
    void read(const QDir& pictureFolder);
    void readPictures(const SvgScan& scan, const QDir& pictureFolder);
    void addPicture(QIODevice* device);
    void readStyleFiles(SvgScan& scan);
    void addReadingWork(const SvgScan& scan, qint64 bytes);

    QString m_refusal;
    QByteArray m_text;
    bool m_fromFile = false;
    qint64 m_heldPixels = 0;
    double m_readingWork = 0;
};

} // namespace DAvuroD
