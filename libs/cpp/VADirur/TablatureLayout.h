#pragma once

#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

namespace VADirur {

// Where the parts of a tablature go in a view of a given size: the string
// lines below the title, each number across its line with its left edge at
// the middle of the view, the double bar at the left, and T, A and B stacked
// right of the point where every line ends. The numbers take the size the
// view's height gives them where they fit and shrink where the strings stand
// close or the view is narrow; the letters are never smaller than the
// numbers; the lines are cleared behind every number.
class TablatureLayout
{
public:
    // Lays out the fingering in a view of that size below a title ending at
    // titleBottom. What does not depend on the values is kept from the last
    // call with the same size, title, font and number of strings.
    void lay(const QSize& size, int titleBottom, const QFont& font, const QVector<int>& tab);

    int pen() const;
    // String line 1 is the top one, line n the bottom one.
    int stringY(int line) const;
    // The pieces of a string line on either side of its number; every line
    // ends at the same point.
    QVector<QLine> stringPieces(int line) const;
    // The two lines of the double bar, across every string.
    QLine bar(int which) const;

    QFont numberFont() const;
    // The number of a line, empty for a muted string.
    QString number(int line) const;
    QPoint numberOrigin(int line) const;

    QFont letterFont() const;
    static QString letter(int which);
    QPoint letterOrigin(int which) const;

private:
    bool fits(int size);
    bool lettersFit(int size, int digitsHeight);
    void place();

    QString m_key;
    QSize m_size;
    int m_titleBottom = 0;
    QVector<int> m_tab;
    int m_margin = 0;
    int m_gap = 2;
    int m_spacing = 0;

    QFont m_numberFont;
    QFont m_letterFont;
    int m_above = 0;
    int m_below = 0;
    int m_clear = 2;
    int m_step = 0;
    int m_top = 0;
    int m_pen = 1;
    int m_letterPitch = 0;
    int m_letterLeft = 0;
    int m_lineEnd = 0;
    QPoint m_letterOrigins[3];
    QVector<QRect> m_numberInks;
};

} // namespace VADirur
