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
    m_layout.lay(size(), titleBottom, font(), chordTab);
    const int n = chordTab.size();
    painter->setPen(QPen(Qt::black, m_layout.pen()));
    for (int i = 1; i <= n; ++i) {
        for (const QLine& piece : m_layout.stringPieces(i))
            painter->drawLine(piece);
    }
    if (n > 0) {
        painter->drawLine(m_layout.bar(0));
        painter->drawLine(m_layout.bar(1));
    }
    painter->setFont(m_layout.letterFont());
    for (int which = 0; which < 3; ++which)
        painter->drawText(m_layout.letterOrigin(which), TablatureLayout::letter(which));
    painter->setFont(m_layout.numberFont());
    for (int i = 1; i <= n; ++i)
        painter->drawText(m_layout.numberOrigin(i), m_layout.number(i));
}

void ChordTabView::drawKeys(QPainter* painter)
{
    drawPicture(painter, ChordFiles::keyboardPictureName(pianoTabToCode()));
    drawNameBox(painter);
}

} // namespace VADirur
