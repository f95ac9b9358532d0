#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QStack>
#include <QVector>

namespace DORuverud {

// The undo and redo stacks of the annotation layer. Each entry is a whole
// layer, kept as tiles that entries share while they are unchanged, so a step
// costs the tiles it touched. When the tiles kept pass the budget, the oldest
// undo steps go (then the farthest redo steps); the newest step of each side
// always stays.
// GUI thread only.
class ImageNoteHistory : public QObject
{
    Q_OBJECT

public:
    // Bytes of tile pixels the history may keep: 64 MiB.
    static constexpr qint64 Budget = qint64(64) << 20;

    explicit ImageNoteHistory(QObject* parent);

    // No steps; the next layers are of that size.
    void clear(const QSize& size);
    // Keeps the layer as it is before a new step. The redo side stays.
    void push(const QImage& layer);
    bool canUndo() const;
    bool canRedo() const;
    // The layer before the newest step; the current one goes on the redo side.
    QImage undo(const QImage& current);
    // The layer of the newest undone step; the current one goes on the undo side.
    QImage redo(const QImage& current);
    // Bytes of the tile pixels kept, each shared tile counted once.
    qint64 bytes() const;

private:
    // Row by row; a null tile is fully transparent.
    using Layer = QVector<QImage>;

    Layer tiled(const QImage& layer) const;
    QImage joined(const Layer& tiles) const;
    QImage swap(QStack<Layer>& from, QStack<Layer>& to, const QImage& current);
    void keep(const Layer& tiles);
    void release(const Layer& tiles);
    void setLast(const Layer& tiles);
    void keepWithinBudget();

    QSize m_size;
    QStack<Layer> m_undo;
    QStack<Layer> m_redo;
    // The layer last stored or restored, whose unchanged tiles the next one shares.
    Layer m_last;
    // How many entries hold each tile, by cache key, and the bytes of those tiles.
    QHash<qint64, int> m_holders;
    qint64 m_bytes = 0;
};

} // namespace DORuverud
