#pragma once

#include "HelperChannel.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace DAvuroD {

// An SVG to draw, as QImageReader's SVG plugin reads and draws it: its text,
// which the program read, of a file or not; its size as the plugin gives
// it, fitted into a bound or stretched over one; within a budget of pixels;
// for a scope, which its helper serves alone. The files a file's drawing
// names beside it are copied where the helper finds them (SvgStage). With
// the messages between the program and its helper tessivar-svg that draws
// it: the program sends Draw with the canvas, a memory file it made for the
// largest picture the request allows, and the text as a memory file; the
// helper answers Canvas with the size it will draw at, then Drawn with that
// size once the canvas holds the picture, or Refused.
struct SvgRequest
{
    enum Kind : char {
        Draw = HelperChannel::firstJobKind,
        Canvas,
        Drawn,
        Refused,
    };

    enum class Fit : qint8 {
        // The drawing's own size.
        Natural,
        // The largest size within the bound, the drawing's proportions kept.
        Within,
        // Exactly the bound.
        Stretched,
    };

    // The largest file or text read.
    static constexpr qint64 maxSourceSize = 8 << 20;
    // The plugin draws no picture wider or higher than this.
    static constexpr int largestSide = 0xffff;
    static constexpr QImage::Format canvasFormat = QImage::Format_ARGB32_Premultiplied;
    // A canvas holding more is given up once the drawing is over.
    static constexpr qint64 keptCanvasBytes = 16 << 20;

    // Why a file or text longer than maxSourceSize is refused.
    static QString tooLarge();
    // Whether QImageReader's format is the plugin's, and a compressed one.
    static bool isSvg(const QByteArray& format);
    static bool isCompressed(const QByteArray& format);

    // The file the text was read from, which tells a failure's file, and
    // the folder of the files it names; both empty for a text of no file.
    QString path;
    QString folder;
    QByteArray text;
    // What the helper that draws it serves alone: a folder, a document, the
    // program's own resources; empty for a drawing of its own, whose helper
    // serves no other.
    QString scope;
    // The format QImageReader tells: "svgz" is read whole and inflated.
    QByteArray format = "svg";
    QSize bound;
    Fit fit = Fit::Natural;
    qint64 mostPixels = 0;
    // The resolution of the pictures made in the program, which sizes text.
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;

    // The size it is drawn at, for a drawing of size original.
    QSize target(const QSize& original) const;
    // Whether a drawing of that size may answer it.
    bool allows(const QSize& size) const;
    // The pixels of the largest drawing that may answer it.
    qint64 mostCanvasPixels() const;
    // The bytes of a canvas of that size, or -1 past the largest side.
    static qint64 bytesOf(const QSize& size);

    // What the helper needs but the text, which travels apart.
    QByteArray toMessage() const;
    // False for what is no request.
    bool fromMessage(const QByteArray& message);
};

} // namespace DAvuroD
