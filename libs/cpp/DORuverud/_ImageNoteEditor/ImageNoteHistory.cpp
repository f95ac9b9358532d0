#include "ImageNoteHistory.h"

#include <algorithm>
#include <cstring>

namespace DORuverud {

namespace {

constexpr int Tile = 64;

QRect tileRect(const QSize& size, int index)
{
    const int columns = (size.width() + Tile - 1) / Tile;
    return QRect((index % columns) * Tile, (index / columns) * Tile, Tile, Tile)
        & QRect(QPoint(0, 0), size);
}

bool sameRows(const QImage& layer, const QRect& rect, const QImage& tile)
{
    const size_t row = size_t(rect.width()) * sizeof(QRgb);
    for (int y = 0; y < rect.height(); ++y) {
        const uchar* seen = layer.constScanLine(rect.top() + y) + rect.left() * int(sizeof(QRgb));
        if (tile.isNull()) {
            const auto* pixel = reinterpret_cast<const QRgb*>(seen);
            if (std::any_of(pixel, pixel + rect.width(), [](QRgb p) { return p != 0; }))
                return false;
        } else if (std::memcmp(seen, tile.constScanLine(y), row) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

ImageNoteHistory::ImageNoteHistory(QObject* parent)
    : QObject(parent)
{
}

void ImageNoteHistory::clear(const QSize& size)
{
    m_undo.clear();
    m_redo.clear();
    m_last.clear();
    m_holders.clear();
    m_bytes = 0;
    m_size = size;
}

void ImageNoteHistory::push(const QImage& layer)
{
    const Layer tiles = tiled(layer);
    m_undo.push(tiles);
    keep(tiles);
    setLast(tiles);
    keepWithinBudget();
}

bool ImageNoteHistory::canUndo() const
{
    return !m_undo.isEmpty();
}

bool ImageNoteHistory::canRedo() const
{
    return !m_redo.isEmpty();
}

QImage ImageNoteHistory::undo(const QImage& current)
{
    return swap(m_undo, m_redo, current);
}

QImage ImageNoteHistory::redo(const QImage& current)
{
    return swap(m_redo, m_undo, current);
}

qint64 ImageNoteHistory::bytes() const
{
    return m_bytes;
}

// The current layer goes on one stack and the top of the other comes back.
QImage ImageNoteHistory::swap(QStack<Layer>& from, QStack<Layer>& to, const QImage& current)
{
    if (from.isEmpty())
        return QImage();
    const Layer tiles = tiled(current);
    to.push(tiles);
    keep(tiles);
    const Layer restored = from.pop();
    setLast(restored);
    release(restored);
    keepWithinBudget();
    return joined(restored);
}

// Tiles equal to those of the last layer are shared with it, not copied.
ImageNoteHistory::Layer ImageNoteHistory::tiled(const QImage& layer) const
{
    const QImage image = layer.format() == QImage::Format_ARGB32_Premultiplied
        ? layer
        : layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int count = ((m_size.width() + Tile - 1) / Tile) * ((m_size.height() + Tile - 1) / Tile);
    Layer tiles(image.size() == m_size ? count : 0);
    for (int i = 0; i < tiles.size(); ++i) {
        const QRect rect = tileRect(m_size, i);
        const QImage last = m_last.value(i);
        if (i < m_last.size() && sameRows(image, rect, last))
            tiles[i] = last;
        else if (!sameRows(image, rect, QImage()))
            tiles[i] = image.copy(rect);
    }
    return tiles;
}

QImage ImageNoteHistory::joined(const Layer& tiles) const
{
    QImage image(m_size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int i = 0; i < tiles.size(); ++i) {
        const QImage& tile = tiles.at(i);
        if (tile.isNull())
            continue;
        const QRect rect = tileRect(m_size, i);
        for (int y = 0; y < rect.height(); ++y) {
            std::memcpy(image.scanLine(rect.top() + y) + rect.left() * int(sizeof(QRgb)),
                tile.constScanLine(y), size_t(rect.width()) * sizeof(QRgb));
        }
    }
    return image;
}

void ImageNoteHistory::keep(const Layer& tiles)
{
    for (const QImage& tile : tiles) {
        if (!tile.isNull() && m_holders[tile.cacheKey()]++ == 0)
            m_bytes += tile.sizeInBytes();
    }
}

void ImageNoteHistory::release(const Layer& tiles)
{
    for (const QImage& tile : tiles) {
        if (tile.isNull())
            continue;
        const auto holders = m_holders.find(tile.cacheKey());
        if (--holders.value() == 0) {
            m_bytes -= tile.sizeInBytes();
            m_holders.erase(holders);
        }
    }
}

void ImageNoteHistory::setLast(const Layer& tiles)
{
    keep(tiles);
    release(m_last);
    m_last = tiles;
}

void ImageNoteHistory::keepWithinBudget()
{
    while (m_bytes > Budget) {
        if (m_undo.size() > 1)
            release(m_undo.takeFirst());
        else if (m_redo.size() > 1)
            release(m_redo.takeFirst());
        else
            break;
    }
}

} // namespace DORuverud
