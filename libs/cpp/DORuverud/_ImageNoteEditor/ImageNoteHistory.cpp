#include "ImageNoteHistory.h"

#include <algorithm>
#include <cstring>

namespace DORuverud {

namespace {

constexpr int Tile = 64;
// What a tile costs beside its pixels: its image header and its count of
// holders, about.
constexpr qint64 TileBookkeeping = 256;

int tileCount(const QSize& size)
{
    return ((size.width() + Tile - 1) / Tile) * ((size.height() + Tile - 1) / Tile);
}

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
    m_holders.clear();
    m_bytes = 0;
    m_size = size;
    m_current = Layer(tileCount(size));
    hold(m_current);
}

bool ImageNoteHistory::commit(const QImage& layer)
{
    const Layer tiles = tiled(layer);
    if (tiles == m_current)
        return false;
    m_undo.push(m_current);
    m_current = tiles;
    hold(m_current);
    keepWithinBudget();
    return true;
}

bool ImageNoteHistory::canUndo() const
{
    return !m_undo.isEmpty();
}

bool ImageNoteHistory::canRedo() const
{
    return !m_redo.isEmpty();
}

QImage ImageNoteHistory::undo()
{
    return swap(m_undo, m_redo);
}

QImage ImageNoteHistory::redo()
{
    return swap(m_redo, m_undo);
}

qint64 ImageNoteHistory::bytes() const
{
    return m_bytes;
}

// The current layer goes on one stack and the top of the other comes back.
QImage ImageNoteHistory::swap(QStack<Layer>& from, QStack<Layer>& to)
{
    if (from.isEmpty())
        return QImage();
    to.push(m_current);
    m_current = from.pop();
    keepWithinBudget();
    return joined(m_current);
}

// Tiles equal to those of the current layer are shared with it, not copied.
ImageNoteHistory::Layer ImageNoteHistory::tiled(const QImage& layer) const
{
    const QImage image = layer.format() == QImage::Format_ARGB32_Premultiplied
        ? layer
        : layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Layer tiles(image.size() == m_size ? tileCount(m_size) : 0);
    for (int i = 0; i < tiles.size(); ++i) {
        const QRect rect = tileRect(m_size, i);
        const QImage current = m_current.value(i);
        if (sameRows(image, rect, current))
            tiles[i] = current;
        else if (current.isNull() || !sameRows(image, rect, QImage()))
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

// Counts a layer that the current layer or an entry keeps: its list of tiles,
// and each tile at its first holder.
void ImageNoteHistory::hold(const Layer& tiles)
{
    m_bytes += qint64(sizeof(Layer)) + tiles.size() * qint64(sizeof(QImage));
    for (const QImage& tile : tiles) {
        if (!tile.isNull() && m_holders[tile.cacheKey()]++ == 0)
            m_bytes += tile.sizeInBytes() + TileBookkeeping;
    }
}

void ImageNoteHistory::drop(const Layer& tiles)
{
    m_bytes -= qint64(sizeof(Layer)) + tiles.size() * qint64(sizeof(QImage));
    for (const QImage& tile : tiles) {
        if (tile.isNull())
            continue;
        const auto holders = m_holders.find(tile.cacheKey());
        if (--holders.value() == 0) {
            m_bytes -= tile.sizeInBytes() + TileBookkeeping;
            m_holders.erase(holders);
        }
    }
}

void ImageNoteHistory::keepWithinBudget()
{
    while (m_bytes > Budget) {
        if (m_undo.size() > 1)
            drop(m_undo.takeFirst());
        else if (m_redo.size() > 1)
            drop(m_redo.takeFirst());
        else
            break;
    }
}

} // namespace DORuverud
