#include "ChordStandardView.h"

#include "ChordFiles.h"
#include "FretDiagramLayout.h"

#include <QPainter>

namespace VADirur {

ChordStandardView::ChordStandardView(QWidget* parent)
    : ChordBaseView(parent)
{
}

void ChordStandardView::paintEvent(QPaintEvent* event)
{
    ChordBaseView::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (instrumentName == QLatin1String("piano"))
        drawKeys(&painter);
    else
        drawStrings(&painter);
}

void ChordStandardView::drawStrings(QPainter* painter)
{
    const int titleBottom = drawTitle(painter);
    const FretDiagramLayout layout(
        size(), titleBottom, font(), instrumentName, chordTab, &m_lastFit);
    painter->setPen(QPen(Qt::black, layout.pen()));
    for (int i = 1; i <= chordTab.size(); ++i)
        painter->drawLine(
            layout.stringLeft(), layout.stringY(i), layout.stringRight(), layout.stringY(i));
    painter->setFont(layout.labelFont());
    for (int j = 0; j <= layout.spaces(); ++j) {
        painter->drawLine(layout.fretX(j), layout.fretTop(), layout.fretX(j), layout.fretBottom());
        if (j >= 1)
            painter->drawText(layout.labelOrigin(j), layout.label(j));
    }
    for (int k = 0; k < chordTab.size(); ++k)
        drawMarker(painter, layout, k);
    if (layout.hasNut()) {
        painter->setPen(QPen(Qt::black, layout.nutPen()));
        painter->drawLine(layout.fretX(0), layout.fretTop(), layout.fretX(0), layout.fretBottom());
    }
}

// A dot in the fret space, a ring for an open string, a cross for a muted one.
void ChordStandardView::drawMarker(QPainter* painter, const FretDiagramLayout& layout, int k)
{
    const int value = chordTab.at(k);
    const QRect box = layout.markerBox(k);
    painter->save();
    painter->setPen(QPen(Qt::black, layout.pen()));
    if (value >= 1) {
        painter->setBrush(Qt::black);
        painter->drawEllipse(box);
    } else if (value == 0) {
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(box);
    } else {
        const int d = box.width();
        painter->drawLine(box.left(), box.top(), box.left() + d, box.top() + d);
        painter->drawLine(box.left() + d, box.top(), box.left(), box.top() + d);
    }
    painter->restore();
}

void ChordStandardView::drawKeys(QPainter* painter)
{
    drawPicture(painter, ChordFiles::staffPictureName(pianoTabToCode()));
    drawNameBox(painter);
}

} // namespace VADirur
