#include "ChordStandardView.h"

#include "ChordFiles.h"

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
    const int W = width();
    const int H = height();
    const int n = chordTab.size();
    const int b = instrumentName == QLatin1String("banjo") ? 1 : 0;
    const bool bass2 = instrumentName == QLatin1String("bass2");

    drawTitle(painter);
    const int step = (H - 10) / (n + 1);
    QFont labelFont(font());
    labelFont.setPixelSize(H / 7 - 2);
    painter->setFont(labelFont);
    for (int i = 1; i <= n; ++i)
        painter->drawLine(30, 10 + i * step, W - 30, 10 + i * step);

    const int spaces = bass2 ? 8 : 6;
    const int fretWidth = (W - 60) / spaces;
    for (int j = 0; j <= spaces; ++j) {
        painter->drawLine(30 + j * fretWidth, 10 + step, 30 + j * fretWidth, 10 + (n - b) * step);
        if (j >= 1)
            painter->drawText(
                QPoint(30 + j * fretWidth - fretWidth / 2 - 3, 10 + (n - b + 1) * step),
                QString::number(bass2 ? j + 4 : j));
    }
    for (int k = 0; k < n; ++k)
        drawMarker(painter, k, step, fretWidth);
    if (!bass2) {
        painter->setPen(QPen(Qt::black, H / 20));
        painter->drawLine(30, 10 + step, 30, 10 + (n - b) * step);
    }
}

// A dot in the fret space, a ring for an open string, a cross for a muted one.
void ChordStandardView::drawMarker(QPainter* painter, int k, int step, int fretWidth)
{
    const int H = height();
    const int n = chordTab.size();
    const int d = int(H / 10.0);
    const int top = 10 + (n - k) * step - d / 2;
    const int value = chordTab.at(k);
    const int offset = instrumentName == QLatin1String("bass2") ? 4 : 0;
    const QRect nutBox(30 - d - H / 40, top, d, d);

    painter->save();
    painter->setPen(QPen(Qt::black, H / 50));
    if (value >= 1) {
        painter->setBrush(Qt::black);
        painter->drawEllipse(
            QRect(30 + (value - offset) * fretWidth - fretWidth / 2 - d / 2, top, d, d));
    } else if (value == 0) {
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(nutBox);
    } else {
        painter->drawLine(nutBox.left(), nutBox.top(), nutBox.left() + d, nutBox.top() + d);
        painter->drawLine(nutBox.left() + d, nutBox.top(), nutBox.left(), nutBox.top() + d);
    }
    painter->restore();
}

void ChordStandardView::drawKeys(QPainter* painter)
{
    drawPicture(painter, ChordFiles::staffPictureName(pianoTabToCode()));
    drawNameBox(painter);
}

} // namespace VADirur
