#pragma once

#include <QPixmap>
#include <QPoint>
#include <QVector>
#include <QWidget>

namespace VADirur {

// One drawing of a chord: keeps the chord and the instrument, paints a
// white background and lets the user drag the drawing out as "Chord.png".
class ChordBaseView : public QWidget
{
    Q_OBJECT

public:
    explicit ChordBaseView(QWidget* parent);

    void setInstrumentName(const QString& name);
    void setChordTabAndName(int index, const QVector<int>& tab, const QString& name);
    // The piano fingering's pitch-class code, "X0XX0XXXX0XX" for A major.
    QString pianoTabToCode() const;
    void startDrag();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // Draws the chord picture of that file name centred, scaled to fit the
    // view at the screen's pixel ratio.
    void drawPicture(QPainter* painter, const QString& fileName);
    // The title's font: the same size in every view, smaller only where the
    // name would not fit the view's width.
    QFont titleFont() const;
    // The chord title along the top, in titleFont() or the font given; the
    // height of its line.
    int drawTitle(QPainter* painter);
    int drawTitle(QPainter* painter, const QFont& font);
    // The title on a translucent white box, over a piano picture.
    void drawNameBox(QPainter* painter);

    QPoint dragStartPosition;
    int chordIndex = 0;
    QString chordName;
    QVector<int> chordTab;
    QString instrumentName;

private:
    QPixmap m_picture;
    QString m_pictureKey;
};

} // namespace VADirur
