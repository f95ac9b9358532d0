#include "FretDiagramLayout.h"

#include "LargestFit.h"

#include <QFontMetrics>

namespace VADirur {

FretDiagramLayout::FretDiagramLayout(const QSize& size, int titleBottom, const QFont& font,
    const QString& instrument, const QVector<int>& tab, Fit* lastFit)
    : m_size(size)
    , m_titleBottom(titleBottom)
    , m_tab(tab)
    , m_drone(instrument == QLatin1String("banjo") ? 1 : 0)
    , m_spaces(instrument == QLatin1String("bass2") ? 8 : 6)
    , m_offset(instrument == QLatin1String("bass2") ? 4 : 0)
    , m_nut(instrument != QLatin1String("bass2"))
    , m_labelFont(font)
{
    followTheChord();
    // A fret the window cannot take keeps its place beside it, and room for its dot.
    for (int value : tab) {
        if (value >= 1) {
            m_spacesBefore = qMax(m_spacesBefore, 1 - (value - m_offset));
            m_spacesAfter = qMax(m_spacesAfter, value - m_offset - m_spaces);
        }
    }
    const QString key = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(titleBottom)
                            .arg(tab.size())
                            .arg(m_spacesBefore)
                            .arg(m_spacesAfter)
                            .arg(m_offset)
                            .arg(instrument, font.key());
    if (lastFit && lastFit->key == key) {
        fits(lastFit->scale);
        return;
    }
    // The largest scale, up to the view's height, at which every part fits.
    const int scale = largestFit(size.height(), [this](int n) { return fits(n); });
    if (lastFit)
        *lastFit = {key, scale};
}

// A chord with a fret outside the window is drawn as chord books print a
// chord up the neck: the window starts at its lowest fret, its numbers name
// the frets, and the nut is not in it.
void FretDiagramLayout::followTheChord()
{
    int lowest = 0;
    int highest = 0;
    for (int value : m_tab) {
        if (value >= 1) {
            lowest = lowest == 0 ? value : qMin(lowest, value);
            highest = qMax(highest, value);
        }
    }
    if (highest == 0 || (lowest > m_offset && highest <= m_offset + m_spaces))
        return;
    m_offset = lowest - 1;
    m_nut = m_nut && m_offset == 0;
}

bool FretDiagramLayout::fits(int scale)
{
    // Lines thinner than the 2 pixels of the usual sizes would look faint.
    m_pen = qMax(qMin(2, m_size.height() / 50), scale / 50);
    m_nutPen = m_nut ? qMax(m_pen, scale / 20) : m_pen;
    m_dot = qMax(2, scale / 10);
    m_gap = qMax(2, scale / 40);
    const bool across = fitsAcross(qMax(1, scale / 7 - 2));
    const int room = roomDown();
    keepProportions();
    placeAcross();
    placeDown();
    const int rows = m_tab.size() - 1;
    return across && room >= 0 && m_fretWidth >= dotRoom()
        && (rows <= 0 || m_step >= markInk() + m_gap);
}

// The grid keeps margins of 30 pixels, wider on the left where the marks
// left of the nut need it, narrower where the fret spaces need the room.
bool FretDiagramLayout::fitsAcross(int labelSize)
{
    const int width = m_size.width();
    const int columns = m_spacesBefore + m_spaces + m_spacesAfter;
    const int leftMin = 2 * m_gap + markInk() + m_nutPen / 2;
    setLabelSize(labelSize);
    // A space holds its number, and its dot apart from the lines on either side.
    const int wanted = qMax(labelWidth() + labelGap(), dotRoom());
    int left = qMax(30, leftMin);
    int right = 30;
    const int shortfall = wanted * columns - (width - left - right);
    if (shortfall > 0) {
        const int fromRight = qBound(0, shortfall, right - m_gap);
        right -= fromRight;
        left -= qBound(0, shortfall - fromRight, left - leftMin);
    }
    m_marginLeft = left;
    m_across = width - left - right;
    m_fretWidth = qMax(0, m_across / columns);
    fitLabels();
    return m_fretWidth >= dotRoom();
}

// A space holds its dot apart from the lines on either side.
int FretDiagramLayout::dotRoom() const
{
    return m_dot + m_pen + m_nutPen + 2 * m_gap;
}

// A cell is between 0.35 and 0.8 times as high as it is wide, as printed
// diagrams draw them: in a tall view the strings close up, in a wide one the
// frets do, and the spare room goes around the diagram.
void FretDiagramLayout::keepProportions()
{
    if (m_tab.size() < 2)
        return;
    const int widest = m_step * 20 / 7;
    if (m_fretWidth > widest) {
        m_fretWidth = widest;
        fitLabels();
    }
    m_step = qMin(m_step, m_fretWidth * 4 / 5);
}

void FretDiagramLayout::placeAcross()
{
    const int columns = m_spacesBefore + m_spaces + m_spacesAfter;
    const int left = m_marginLeft + qMax(0, m_across - columns * m_fretWidth) / 2;
    m_left = left + m_spacesBefore * m_fretWidth;
    m_markRight = left - m_nutPen / 2 - m_gap - (markInk() - m_dot + 1) / 2;
}

// Each number keeps a gap to the next one.
void FretDiagramLayout::fitLabels()
{
    int size = m_labelFont.pixelSize();
    const int width = labelWidth() + labelGap();
    if (width <= m_fretWidth)
        return;
    size = qMax(1, size * m_fretWidth / width);
    setLabelSize(size);
    while (size > 1 && labelWidth() + labelGap() > m_fretWidth)
        setLabelSize(--size);
}

// The strings keep the spacing of (H - 10) / (n + 1), closer where the title
// above and the numbers below need it. The room left for the spacings.
int FretDiagramLayout::roomDown()
{
    const int strings = m_tab.size();
    const int rows = qMax(0, strings - 1);
    const int room = labelsBaselineMax() - labelsBelow() - topMin();
    const int spacing = (m_size.height() - 10) / (strings + 1);
    m_step = rows > 0 ? qMin(spacing, room / rows) : spacing;
    return room;
}

// The diagram stands in the middle of the room below the title, its
// numbers just under the grid.
void FretDiagramLayout::placeDown()
{
    const int strings = m_tab.size();
    const int below = labelsBelow();
    const int room = labelsBaselineMax() - below - topMin();
    m_top = topMin() + qMax(0, room - qMax(0, strings - 1) * m_step) / 2;
    m_baseline = stringY(qMax(strings, 1)) + below;
}

int FretDiagramLayout::topMin() const
{
    return m_titleBottom + m_gap + (markInk() + 1) / 2;
}

// From the bottom string to the numbers' baseline: the marks' reach, a
// clearance of two thirds of a digit's height, and the digits' height.
int FretDiagramLayout::labelsBelow() const
{
    // A row for the smoothed edges.
    return (markInk() + 1) / 2 + qMax(m_gap, m_digits.height() * 2 / 3) + 1 - m_digits.top();
}

int FretDiagramLayout::labelsBaselineMax() const
{
    return m_size.height() - 1 - m_gap - (m_digits.bottom() + 1);
}

// Two-digit numbers side by side read apart: three quarters of a digit's
// height between them.
int FretDiagramLayout::labelGap() const
{
    return qMax(m_gap, m_digits.height() * 3 / 4);
}

int FretDiagramLayout::labelWidth() const
{
    return m_labelWidth;
}

// The digits' ink and the widest number are measured once for each size.
void FretDiagramLayout::setLabelSize(int size)
{
    m_labelFont.setPixelSize(size);
    const QFontMetrics metrics(m_labelFont);
    m_digits = metrics.tightBoundingRect(QStringLiteral("0123456789"));
    m_labelWidth = 0;
    for (int space = 1; space <= m_spaces; ++space)
        m_labelWidth = qMax(m_labelWidth, metrics.horizontalAdvance(label(space)));
}

// A marker's size with its outline; a cross's square line ends reach about
// 0.7 of the pen beyond its box on every side.
int FretDiagramLayout::markInk() const
{
    return m_dot + (3 * m_pen + 1) / 2;
}

int FretDiagramLayout::pen() const
{
    return m_pen;
}

int FretDiagramLayout::nutPen() const
{
    return m_nutPen;
}

bool FretDiagramLayout::hasNut() const
{
    return m_nut;
}

int FretDiagramLayout::spaces() const
{
    return m_spaces;
}

int FretDiagramLayout::stringY(int line) const
{
    return m_top + (line - 1) * m_step;
}

int FretDiagramLayout::stringLeft() const
{
    return m_left;
}

int FretDiagramLayout::stringRight() const
{
    return fretX(m_spaces);
}

int FretDiagramLayout::fretX(int line) const
{
    return m_left + line * m_fretWidth;
}

int FretDiagramLayout::fretTop() const
{
    return stringY(1);
}

// The frets stop above a banjo's drone string.
int FretDiagramLayout::fretBottom() const
{
    return stringY(qMax(1, m_tab.size() - m_drone));
}

QFont FretDiagramLayout::labelFont() const
{
    return m_labelFont;
}

QString FretDiagramLayout::label(int space) const
{
    return QString::number(space + m_offset);
}

QPoint FretDiagramLayout::labelOrigin(int space) const
{
    const int centre = fretX(space) - m_fretWidth / 2;
    return QPoint(
        centre - QFontMetrics(m_labelFont).horizontalAdvance(label(space)) / 2, m_baseline);
}

QRect FretDiagramLayout::markerBox(int k) const
{
    const int value = m_tab.at(k);
    const int top = stringY(m_tab.size() - k) - m_dot / 2;
    if (value >= 1)
        return QRect(fretX(value - m_offset) - m_fretWidth / 2 - m_dot / 2, top, m_dot, m_dot);
    return QRect(m_markRight - m_dot, top, m_dot, m_dot);
}

} // namespace VADirur
