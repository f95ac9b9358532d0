#include "PianoKeyboardPainter.h"

#include "PhotoTools.h"

#include <QLinearGradient>
#include <QPainter>

using VADirur::ChordSpelling;

namespace {

const int lowestKey = ChordSpelling::lowestKey;
const int keyCount = 24;

bool isBlack(int key)
{
    const int pitch = key % 12;
    return pitch == 1 || pitch == 3 || pitch == 6 || pitch == 8 || pitch == 10;
}

// The keys' rectangles over a keyboard of `whiteWidth` wide white keys.
QRectF keyRect(int key, double left, double top, double whiteWidth, double height)
{
    int whites = 0;
    for (int k = lowestKey; k < key; ++k)
        whites += isBlack(k) ? 0 : 1;
    if (!isBlack(key))
        return QRectF(left + whites * whiteWidth, top, whiteWidth, height);
    const double width = whiteWidth * 0.6;
    return QRectF(left + whites * whiteWidth - width / 2, top, width, height * 0.62);
}

const ChordSpelling::Note* noteOn(const QVector<ChordSpelling::Note>& notes, int key)
{
    for (const ChordSpelling::Note& note : notes) {
        if (note.key == key)
            return &note;
    }
    return nullptr;
}

} // namespace

QImage PianoKeyboardPainter::paintPhoto(const QVector<ChordSpelling::Note>& notes, quint32 seed)
{
    const int width = 480;
    const int height = 360;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, width, height);
    PhotoTools::paintBackdrop(&painter, all, seed);

    // Black lacquer of the key cover, its reflection, and the red felt.
    const double left = 12;
    const double whiteWidth = (width - 2 * left) / 14.0;
    const double top = 96;
    const double keyHeight = height - top + 20;
    QLinearGradient lacquer(0, 0, 0, top);
    lacquer.setColorAt(0.0, QColor(8, 8, 10));
    lacquer.setColorAt(0.7, QColor(40, 38, 42));
    lacquer.setColorAt(1.0, QColor(14, 14, 16));
    painter.fillRect(QRectF(0, 20, width, top - 26), lacquer);
    painter.fillRect(QRectF(0, 30, width, 6), QColor(255, 255, 255, 30));
    painter.fillRect(QRectF(0, top - 6, width, 6), QColor(150, 22, 30));

    for (int pass = 0; pass < 2; ++pass) {
        for (int key = lowestKey; key < lowestKey + keyCount; ++key) {
            if (isBlack(key) != (pass == 1))
                continue;
            const QRectF rect = keyRect(key, left, top, whiteWidth, keyHeight);
            const bool down = noteOn(notes, key) != nullptr;
            QLinearGradient face(rect.topLeft(), rect.bottomLeft());
            if (isBlack(key)) {
                painter.fillRect(rect.translated(4, 6), QColor(0, 0, 0, 110));
                face.setColorAt(0.0, QColor(10, 10, 12));
                face.setColorAt(0.85, down ? QColor(30, 30, 34) : QColor(58, 56, 60));
                face.setColorAt(1.0, QColor(20, 20, 22));
                painter.setPen(QPen(QColor(0, 0, 0), 1));
                painter.setBrush(face);
                painter.drawRoundedRect(rect, 2, 2);
                painter.fillRect(QRectF(rect.left() + rect.width() * 0.2, rect.top() + 4,
                                     rect.width() * 0.18, rect.height() * 0.8),
                    QColor(255, 255, 255, down ? 18 : 40));
            } else {
                face.setColorAt(0.0, down ? QColor(196, 190, 178) : QColor(226, 222, 210));
                face.setColorAt(0.5, down ? QColor(224, 219, 206) : QColor(250, 248, 240));
                face.setColorAt(1.0, down ? QColor(204, 198, 186) : QColor(236, 232, 222));
                painter.setPen(QPen(QColor(90, 84, 76), 1.2));
                painter.setBrush(face);
                painter.drawRect(rect);
                if (down)
                    painter.fillRect(
                        QRectF(rect.left(), rect.top(), 5, rect.height()), QColor(0, 0, 0, 45));
            }
        }
    }
    // Fingers come from the player's side, below the picture.
    QVector<QPointF> tips;
    QVector<double> sizes;
    for (const ChordSpelling::Note& note : notes) {
        const QRectF rect = keyRect(note.key, left, top, whiteWidth, keyHeight);
        const double size = isBlack(note.key) ? rect.width() * 1.15 : whiteWidth * 0.8;
        tips << QPointF(rect.center().x(),
            isBlack(note.key) ? rect.bottom() - size * 0.8 : top + keyHeight * 0.66);
        sizes << size;
    }
    for (int i = 0; i < tips.size(); ++i)
        PhotoTools::paintFinger(&painter, tips.at(i),
            QPointF(tips.at(i).x() + (i - tips.size() / 2.0) * 14, height + 80),
            sizes.at(i) * 0.86);
    for (int i = 0; i < tips.size(); ++i)
        PhotoTools::paintFingertip(&painter, tips.at(i), sizes.at(i), sizes.at(i) * 1.12);
    PhotoTools::paintLighting(&painter, all);
    return image;
}
