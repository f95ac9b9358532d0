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
// costs the tiles it touched and its list of tiles. When what the history
// keeps passes the budget, the oldest undo steps go (then the farthest redo
// steps); the newest step of each side always stays.
// GUI thread only.
class ImageNoteHistory : public QObject
{
    Q_OBJECT

public:
    // Bytes the history may keep, tiles and their bookkeeping: 64 MiB.
    static constexpr qint64 Budget = qint64(64) << 20;

    explicit ImageNoteHistory(QObject* parent);

    // No steps; the layer is empty and of that size.
    void clear(const QSize& size);
    // The layer after a step; the one before goes on the undo side and the
    // redo side stays. False, and no step, when no pixel changed.
    bool commit(const QImage& layer);
    bool canUndo() const;
    bool canRedo() const;
    // The layer before the newest step; the current one goes on the redo side.
    // A null image when there is none.
    QImage undo();
    // The layer of the newest undone step; the current one goes on the undo side.
    QImage redo();
    // Bytes of what is kept: each shared tile once, and the lists of tiles.
    qint64 bytes() const;

private:
    // Row by row; a null tile is fully transparent.
    using Layer = QVector<QImage>;

    Layer tiled(const QImage& layer) const;
    QImage joined(const Layer& tiles) const;
    QImage swap(QStack<Layer>& from, QStack<Layer>& to);
    void hold(const Layer& tiles);
    void drop(const Layer& tiles);
    void keepWithinBudget();

    QSize m_size;
    QStack<Layer> m_undo;
    QStack<Layer> m_redo;
    // The layer as it is, whose unchanged tiles the next one shares.
    Layer m_current;
    // How many entries hold each tile, by cache key; the bytes of all held.
    QHash<qint64, int> m_holders;
    qint64 m_bytes = 0;
};

} // namespace DORuverud
