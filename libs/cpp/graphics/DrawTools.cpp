#include "DrawTools.h"

#include <QColor>
#include <QColorSpace>
#include <QFontMetrics>
#include <QPainter>
#include <QRadialGradient>
#include <QThreadPool>
#include <QVector>
#include <QtConcurrent>

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace DAvuroD {

namespace {

constexpr int HueWindow = 9;
constexpr int BytesPerPixel = 4;
// The least a thread of a shared blur takes on.
constexpr qint64 PixelsPerPart = 1 << 17;

// Scales a saturation or value by to / from; a zero `from` takes `to` itself.
int rescaled(int component, int from, int to)
{
    if (from == 0)
        return to;
    const float factor = float(to) / float(from);
    return std::clamp(int(float(component) * factor), 0, 255);
}

// The smoothing weight out of 16: 16 follows the picture exactly, 1 blurs most.
int blurStrength(int radius)
{
    static constexpr int table[17] = {14, 10, 8, 6, 5, 5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2};
    if (radius <= 0)
        return 16;
    if (radius >= 18)
        return 1;
    return table[radius - 1];
}

// The blur's accumulators are in 16-fold fixed point (0..4080), one per
// byte, sixteen bytes' worth in the 16-bit lanes of two vectors.
struct Accumulators
{
    __m128i low;
    __m128i high;
};

struct BlurLanes
{
    // alpha << 12 in every lane, for alpha 1..15.
    __m128i factor;
    // The colour bytes, which only-alpha blurring leaves alone.
    __m128i kept;
    bool alphaOnly;
};

// Each accumulator moves towards its byte x 16 by (difference x alpha) / 16,
// truncated towards zero: the rise and the fall are the two saturating
// differences, each scaled by alpha / 16 and rounded down.
inline __m128i follow(__m128i acc, __m128i bytes, __m128i factor)
{
    const __m128i target = _mm_slli_epi16(bytes, 4);
    const __m128i rise = _mm_mulhi_epu16(_mm_subs_epu16(target, acc), factor);
    const __m128i fall = _mm_mulhi_epu16(_mm_subs_epu16(acc, target), factor);
    return _mm_sub_epi16(_mm_add_epi16(acc, rise), fall);
}

// Sixteen bytes follow their accumulators and take their new values.
inline __m128i followBytes(__m128i bytes, Accumulators& acc, const BlurLanes& lanes)
{
    const __m128i zero = _mm_setzero_si128();
    acc.low = follow(acc.low, _mm_unpacklo_epi8(bytes, zero), lanes.factor);
    acc.high = follow(acc.high, _mm_unpackhi_epi8(bytes, zero), lanes.factor);
    const __m128i result
        = _mm_packus_epi16(_mm_srli_epi16(acc.low, 4), _mm_srli_epi16(acc.high, 4));
    if (!lanes.alphaOnly)
        return result;
    return _mm_or_si128(_mm_and_si128(lanes.kept, bytes), _mm_andnot_si128(lanes.kept, result));
}

inline Accumulators startingAt(__m128i bytes)
{
    const __m128i zero = _mm_setzero_si128();
    return {_mm_slli_epi16(_mm_unpacklo_epi8(bytes, zero), 4),
        _mm_slli_epi16(_mm_unpackhi_epi8(bytes, zero), 4)};
}

inline __m128i load(const uchar* at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

inline void store(uchar* at, __m128i bytes)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), bytes);
}

// Hands each run of sixteen bytes from `in` to `apply` and writes what it
// gives back to `out`; the short last run goes through a buffer.
template <class Apply> void forEachVector(const uchar* in, uchar* out, int count, Apply apply)
{
    int i = 0;
    for (; i + 16 <= count; i += 16)
        store(out + i, apply(load(in + i), i / 16));
    if (i == count)
        return;
    alignas(16) uchar rest[16] = {};
    std::memcpy(rest, in + i, size_t(count - i));
    store(rest, apply(load(rest), i / 16));
    std::memcpy(out + i, rest, size_t(count - i));
}

constexpr int RowsAtOnce = 4;
using RowGroup = std::array<uchar*, RowsAtOnce>;

// The pixel at `offset` in each of the four rows, in one vector.
inline __m128i gather(const RowGroup& rows, ptrdiff_t offset)
{
    __m128i pixels[RowsAtOnce];
    for (int i = 0; i < RowsAtOnce; ++i) {
        int value;
        std::memcpy(&value, rows[size_t(i)] + offset, sizeof value);
        pixels[i] = _mm_cvtsi32_si128(value);
    }
    return _mm_unpacklo_epi64(
        _mm_unpacklo_epi32(pixels[0], pixels[1]), _mm_unpacklo_epi32(pixels[2], pixels[3]));
}

inline void scatter(const RowGroup& rows, ptrdiff_t offset, __m128i pixels)
{
    for (int i = 0; i < RowsAtOnce; ++i) {
        const int value = _mm_cvtsi128_si32(pixels);
        std::memcpy(rows[size_t(i)] + offset, &value, sizeof value);
        pixels = _mm_srli_si128(pixels, 4);
    }
}

// Four vectors of four pixels become four vectors of the pixels that stood
// at the same place in each.
inline void transpose(__m128i* v)
{
    const __m128i low01 = _mm_unpacklo_epi32(v[0], v[1]);
    const __m128i low23 = _mm_unpacklo_epi32(v[2], v[3]);
    const __m128i high01 = _mm_unpackhi_epi32(v[0], v[1]);
    const __m128i high23 = _mm_unpackhi_epi32(v[2], v[3]);
    v[0] = _mm_unpacklo_epi64(low01, low23);
    v[1] = _mm_unpackhi_epi64(low01, low23);
    v[2] = _mm_unpacklo_epi64(high01, high23);
    v[3] = _mm_unpackhi_epi64(high01, high23);
}

// Four steps along four rows: the four pixels from `offset` on in each row,
// taken rightwards or leftwards.
inline void followBlock(const RowGroup& rows, ptrdiff_t offset, bool rightwards, Accumulators& acc,
    const BlurLanes& lanes)
{
    __m128i v[RowsAtOnce];
    for (int i = 0; i < RowsAtOnce; ++i)
        v[i] = load(rows[size_t(i)] + offset);
    transpose(v);
    for (int k = 0; k < 4; ++k) {
        __m128i& pixels = v[rightwards ? k : 3 - k];
        pixels = followBytes(pixels, acc, lanes);
    }
    transpose(v);
    for (int i = 0; i < RowsAtOnce; ++i)
        store(rows[size_t(i)] + offset, v[i]);
}

// A horizontal pass along four rows at once, from the pixel each row points
// at, `count` pixels rightwards or leftwards. A row may come twice: both
// copies compute and write the same values.
void rowPass(RowGroup rows, int count, bool rightwards, const BlurLanes& lanes)
{
    Accumulators acc = startingAt(gather(rows, 0));
    const ptrdiff_t step = rightwards ? BytesPerPixel : -BytesPerPixel;
    const ptrdiff_t blockStart = rightwards ? 0 : -3 * BytesPerPixel;
    ptrdiff_t offset = step;
    for (int left = count - 1; left >= 4; left -= 4, offset += 4 * step)
        followBlock(rows, offset + blockStart, rightwards, acc, lanes);
    for (; offset != count * step; offset += step)
        scatter(rows, offset, followBytes(gather(rows, offset), acc, lanes));
}

struct BlurArea
{
    int c1, c2, r1, r2;
    int columns() const
    {
        return c2 - c1 + 1;
    }
    int rows() const
    {
        return r2 - r1 + 1;
    }
    qint64 pixels() const
    {
        return qint64(columns()) * rows();
    }
};

// The lines a pass reads (`in`) and writes (`out`), each from a pixel on.
struct Lines
{
    const uchar* in;
    qsizetype inStride;
    uchar* out;
    qsizetype outStride;

    Lines from(int x, int y) const
    {
        return {in + y * inStride + x * BytesPerPixel, inStride,
            out + y * outStride + x * BytesPerPixel, outStride};
    }
    Lines inPlace() const
    {
        return {out, outStride, out, outStride};
    }
};

// Runs `work(from, to)` over `count` lines in parts of a multiple of `unit`
// lines, on the thread pool when there are enough pixels to share.
template <class Work> void inParts(int count, int unit, qint64 pixels, Work work)
{
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    const int parts = int(std::clamp<qint64>(pixels / PixelsPerPart, 1, threads));
    const int size = ((count + parts - 1) / parts + unit - 1) / unit * unit;
    if (size >= count) {
        work(0, count);
        return;
    }
    QVector<int> starts;
    for (int from = 0; from < count; from += size)
        starts.append(from);
    QtConcurrent::blockingMap(starts, [&](int from) { work(from, std::min(count, from + size)); });
}

// The pass down (first) or up (third), every byte of a line on its own.
void columnPass(const Lines& lines, const BlurArea& area, bool down, const BlurLanes& lanes)
{
    inParts(area.columns() * BytesPerPixel, 16, area.pixels(), [&](int from, int to) {
        std::vector<Accumulators> acc(size_t((to - from + 15) / 16));
        for (int k = 0; k < area.rows(); ++k) {
            const int row = down ? k : area.rows() - 1 - k;
            forEachVector(lines.in + row * lines.inStride + from,
                lines.out + row * lines.outStride + from, to - from, [&](__m128i bytes, int i) {
                    if (k == 0) {
                        acc[size_t(i)] = startingAt(bytes);
                        return bytes;
                    }
                    return followBytes(bytes, acc[size_t(i)], lanes);
                });
        }
    });
}

// The pass rightwards (second) or leftwards (fourth), four rows at a time;
// the last group of a part fills up with its last row.
void rowPasses(const Lines& lines, const BlurArea& area, bool rightwards, const BlurLanes& lanes)
{
    uchar* const start = lines.out + (rightwards ? 0 : area.columns() - 1) * BytesPerPixel;
    inParts(area.rows(), RowsAtOnce, area.pixels(), [&](int from, int to) {
        for (int row = from; row < to; row += RowsAtOnce) {
            RowGroup group;
            for (int i = 0; i < RowsAtOnce; ++i)
                group[size_t(i)] = start + std::min(row + i, to - 1) * lines.outStride;
            rowPass(group, area.columns(), rightwards, lanes);
        }
    });
}

// The pixels around the area, as they are, of an image `width` x `height`.
void copyAround(const Lines& lines, int width, int height, const BlurArea& area)
{
    const size_t left = size_t(area.c1) * BytesPerPixel;
    const size_t right = size_t(area.c2 + 1) * BytesPerPixel;
    const size_t line = size_t(width) * BytesPerPixel;
    inParts(height, 1, qint64(width) * height - area.pixels(), [&](int from, int to) {
        for (int y = from; y < to; ++y) {
            const Lines row = lines.from(0, y);
            const bool inside = y >= area.r1 && y <= area.r2;
            std::memcpy(row.out, row.in, inside ? left : line);
            if (inside)
                std::memcpy(row.out + right, row.in + right, line - right);
        }
    });
}

// An image like `image` whose pixels are yet to be written.
QImage blankLike(const QImage& image)
{
    QImage blank(image.size(), image.format());
    blank.setDotsPerMeterX(image.dotsPerMeterX());
    blank.setDotsPerMeterY(image.dotsPerMeterY());
    blank.setDevicePixelRatio(image.devicePixelRatio());
    blank.setOffset(image.offset());
    blank.setColorSpace(image.colorSpace());
    for (const QString& key : image.textKeys())
        blank.setText(key, image.text(key));
    return blank;
}

} // namespace

QImage DrawTools::colorizeImage(const QImage& image, const QColor& from, const QColor& to)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    int hf, sf, vf, ht, st, vt;
    from.getHsv(&hf, &sf, &vf);
    to.getHsv(&ht, &st, &vt);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            int h, s, v, a;
            QColor::fromRgba(line[x]).getHsv(&h, &s, &v, &a);
            const int dh = h - hf;
            if (std::abs(dh) > HueWindow)
                continue;
            // The hue wraps at 359, so it stays within 0..358.
            line[x] = QColor::fromHsv(
                (dh + ht + 359) % 359, rescaled(s, sf, st), rescaled(v, vf, vt), a)
                          .rgba();
        }
    }
    return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage DrawTools::blurred(const QImage& image, const QRect& rect, int radius, bool alphaOnly)
{
    QImage converted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect normalized = rect.normalized();
    const int c1 = std::max(normalized.left(), 0);
    const int c2 = std::min(normalized.right(), converted.width() - 1);
    const int r1 = std::max(normalized.top(), 0);
    const int r2 = std::min(normalized.bottom(), converted.height() - 1);
    if (c1 > c2 || r1 > r2)
        return converted;
    const int alpha = blurStrength(radius);
    // Alpha 16 follows every byte exactly: nothing changes.
    if (alpha == 16)
        return converted;
    // Alpha is the high byte of a pixel, the last in memory.
    const BlurLanes lanes {
        _mm_set1_epi16(short(alpha << 12)), _mm_set1_epi32(0x00FFFFFF), alphaOnly};
    const BlurArea working {c1, c2, r1, r2};
    // A converted copy is blurred in place. Pixels that are still the
    // caller's are read once, by the first pass, into an image of their own.
    const bool own = converted.isDetached();
    QImage result = own ? std::move(converted) : blankLike(converted);
    if (result.isNull())
        return converted;
    const QImage& source = own ? result : converted;
    const Lines lines {
        source.constBits(), source.bytesPerLine(), result.bits(), result.bytesPerLine()};
    if (!own)
        copyAround(lines, result.width(), result.height(), working);
    const Lines area = lines.from(c1, r1);
    columnPass(area, working, true, lanes);
    rowPasses(area.inPlace(), working, true, lanes);
    columnPass(area.inPlace(), working, false, lanes);
    rowPasses(area.inPlace(), working, false, lanes);
    return result;
}

void DrawTools::drawInfo(QPainter* painter, const QPoint& pos, const QString& text,
    const QFont& font, const QColor& color, bool whitePen, float opacity)
{
    painter->save();
    painter->setFont(font);
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const QRect textRect(pos, QPoint(pos.x() + w + 11, pos.y() + h + 2));

    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setOpacity(0.6);
    painter->setBrush(QBrush(Qt::black));
    painter->drawRoundedRect(QRect(pos, QSize(w + 15, h + 6)), 100, 100, Qt::RelativeSize);

    painter->setOpacity(opacity);
    const QPointF centre = pos + QPoint(2, 2);
    QRadialGradient gradient(centre, w + 12, centre);
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, color);
    painter->setBrush(gradient);
    if (whitePen)
        painter->setPen(Qt::white);
    painter->drawRoundedRect(textRect, 100, 100, Qt::RelativeSize);

    painter->setPen(Qt::white);
    painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, text);
    painter->restore();
}

} // namespace DAvuroD
