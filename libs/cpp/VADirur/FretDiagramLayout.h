#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

namespace VADirur {

// Where the parts of a fret diagram go in a view of a given size. The fret
// window is the instrument's, moved up the neck for a chord outside it. Pens,
// dots and fret numbers take the sizes the view's height gives them where
// they fit, and shrink together where they would not; the room around the
// grid for the title, the open and muted marks, the numbers and dots beyond
// the fret window grows with them. So every part shows whole, inside the view
// and apart from its neighbours. The cells keep a diagram's proportions at
// every shape of the view, with the spare room around the diagram.
class FretDiagramLayout
{
public:
    // The scale found for the inputs named by the key; the scale depends
    // only on them, so another chord at the same size need not seek it again.
    struct Fit
    {
        QString key;
        int scale = 0;
    };

    // titleBottom: the first row below the title's line. lastFit, when given,
    // is used when it names these inputs, and replaced when it does not.
    FretDiagramLayout(const QSize& size, int titleBottom, const QFont& font,
        const QString& instrument, const QVector<int>& tab, Fit* lastFit = nullptr);

    int pen() const;
    int nutPen() const;
    bool hasNut() const;
    int spaces() const;

    // String line 1 is the top one, line n the bottom one.
    int stringY(int line) const;
    int stringLeft() const;
    int stringRight() const;

    // Fret line 0 is the nut (or the window's first line), line spaces() the last.
    int fretX(int line) const;
    int fretTop() const;
    int fretBottom() const;

    QFont labelFont() const;
    QString label(int space) const;
    // The baseline start of the number of a fret space, centred under it.
    QPoint labelOrigin(int space) const;

    // The marker box of fingering value k: the dot in its fret space, or the
    // open or muted mark left of the nut.
    QRect markerBox(int k) const;

private:
    void followTheChord();
    bool fits(int scale);
    bool fitsAcross(int labelSize);
    int dotRoom() const;
    void keepProportions();
    void placeAcross();
    void fitLabels();
    int roomDown();
    void placeDown();
    int topMin() const;
    int labelsBelow() const;
    int labelsBaselineMax() const;
    int labelGap() const;
    void setLabelSize(int size);
    int labelWidth() const;
    int markInk() const;

    QSize m_size;
    int m_titleBottom;
    QVector<int> m_tab;
    int m_drone;
    int m_spaces;
    int m_offset;
    bool m_nut;
    int m_spacesBefore = 0;
    int m_spacesAfter = 0;

    int m_pen = 1;
    int m_nutPen = 1;
    int m_dot = 2;
    int m_gap = 2;
    QFont m_labelFont;
    QRect m_digits;
    int m_labelWidth = 0;
    int m_marginLeft = 0;
    int m_across = 0;
    int m_markRight = 0;
    int m_left = 0;
    int m_fretWidth = 0;
    int m_top = 0;
    int m_step = 0;
    int m_baseline = 0;
};

} // namespace VADirur
