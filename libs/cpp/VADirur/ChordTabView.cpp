#include "ChordTabView.h"

#include "ChordFiles.h"

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
    const int W = width();
    const int H = height();
    const int n = chordTab.size();

    drawTitle(painter);
    const int step = (H - 10) / (n + 1);
    QFont textFont(font());
    textFont.setPixelSize(H / 7 + (10 * n) / 40);
    painter->setFont(textFont);
    painter->drawText(QRect(QPoint(40, 15 + step), QPoint(W - 41, 14 + n * step)),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("T\nA\nB"));

    textFont.setPixelSize(H / 7);
    painter->setFont(textFont);
    for (int i = 1; i <= n; ++i) {
        const int y = 15 + i * step;
        painter->drawLine(40, y, W - 40, y);
        const int value = chordTab.at(n - i);
        if (value >= 0)
            painter->drawText(QPoint(W / 2, y + H / 14 - 1), QString::number(value));
    }
    painter->drawLine(40, 15 + step, 40, 15 + n * step);
    painter->drawLine(44, 15 + step, 44, 15 + n * step);
}

void ChordTabView::drawKeys(QPainter* painter)
{
    drawPicture(painter, ChordFiles::keyboardPictureName(pianoTabToCode()));
    drawNameBox(painter);
}

} // namespace VADirur
