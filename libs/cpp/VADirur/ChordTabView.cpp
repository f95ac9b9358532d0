#include "ChordTabView.h"

#include "ChordFiles.h"
#include "TablatureLayout.h"

#include <QPainter>

namespace VADirur {

ChordTabView::ChordTabView(QWidget* parent)
    : ChordBaseView(parent)
{
}

void ChordTabView::paintEvent(QPaintEvent* event)
{
    ChordBaseView::paintEvent(event);
    QPainter painter(this);
    if (instrumentName == QLatin1String("piano"))
        drawKeys(&painter);
    else
        drawStrings(&painter);
}

void ChordTabView::drawStrings(QPainter* painter)
{
    const int titleBottom = drawTitle(painter);
    const TablatureLayout layout(size(), titleBottom, font(), chordTab, &m_lastFit);
    const int n = chordTab.size();
    painter->setPen(QPen(Qt::black, layout.pen()));
    for (int i = 1; i <= n; ++i) {
        for (const QLine& piece : layout.stringPieces(i))
            painter->drawLine(piece);
    }
    if (n > 0) {
        painter->drawLine(layout.bar(0));
        painter->drawLine(layout.bar(1));
    }
    painter->setFont(layout.letterFont());
    for (int which = 0; which < 3; ++which)
        painter->drawText(layout.letterOrigin(which), TablatureLayout::letter(which));
    painter->setFont(layout.numberFont());
    for (int i = 1; i <= n; ++i)
        painter->drawText(layout.numberOrigin(i), layout.number(i));
}

void ChordTabView::drawKeys(QPainter* painter)
{
    drawPicture(painter, ChordFiles::keyboardPictureName(pianoTabToCode()));
    drawNameBox(painter);
}

} // namespace VADirur
