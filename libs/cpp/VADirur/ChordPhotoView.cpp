#include "ChordPhotoView.h"

#include "App.h"
#include "ChordFiles.h"

#include <QPainter>

namespace VADirur {

ChordPhotoView::ChordPhotoView(QWidget* parent)
    : ChordBaseView(parent)
{
}

void ChordPhotoView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    if (DORuverud::App::theApp()->isPocketDevice())
        painter.setBrush(QBrush(Qt::black, QPixmap(QStringLiteral(":/panelbackground.png"))));
    else
        painter.setBrush(QColor(71, 71, 71, 255));
    painter.drawRect(rect());
    drawPicture(&painter, ChordFiles::photoName(instrumentName, chordTab));
}

} // namespace VADirur
