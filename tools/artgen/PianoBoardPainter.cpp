#include "PianoBoardPainter.h"

#include "PianoKeyTable.h"

#include <QLinearGradient>
#include <QPainter>

using VADirur::PianoKeyTable;

namespace {

const int feltTop = 56;
const int keyFrontBottom = 141;
const QColor marker(64, 150, 235);

void paintCase(QPainter& p)
{
    QLinearGradient board(0, 0, 0, feltTop);
    board.setColorAt(0, QColor(6, 6, 8));
    board.setColorAt(0.55, QColor(36, 34, 38));
    board.setColorAt(1, QColor(12, 12, 14));
    p.fillRect(QRectF(0, 0, PianoKeyTable::frameWidth, feltTop), board);
    p.fillRect(QRectF(0, 8, PianoKeyTable::frameWidth, 3), QColor(255, 255, 255, 26));
    p.fillRect(QRectF(0, feltTop - 8, PianoKeyTable::frameWidth, 1), QColor(200, 160, 80, 120));
    p.fillRect(QRectF(0, feltTop, PianoKeyTable::frameWidth, 10), QColor(128, 18, 26));
    p.fillRect(QRectF(0, feltTop + 10, PianoKeyTable::frameWidth, 3), QColor(30, 6, 8));
    QLinearGradient slip(0, keyFrontBottom, 0, PianoKeyTable::frameHeight);
    slip.setColorAt(0, QColor(4, 4, 6));
    slip.setColorAt(0.3, QColor(40, 38, 42));
    slip.setColorAt(1, QColor(10, 10, 12));
    p.fillRect(QRectF(0, keyFrontBottom, PianoKeyTable::frameWidth,
                   PianoKeyTable::frameHeight - keyFrontBottom),
        slip);
    const int first = PianoKeyTable::whiteBoundary(0);
    const int last = PianoKeyTable::whiteBoundary(PianoKeyTable::whiteCount);
    p.fillRect(QRectF(0, feltTop, first, PianoKeyTable::frameHeight - feltTop), board);
    p.fillRect(QRectF(last, feltTop, PianoKeyTable::frameWidth - last,
                   PianoKeyTable::frameHeight - feltTop),
        board);
}

void paintWhiteKeys(QPainter& p)
{
    for (int i = 0; i < PianoKeyTable::whiteCount; ++i) {
        const double left = PianoKeyTable::whiteBoundary(i);
        const double right = PianoKeyTable::whiteBoundary(i + 1);
        const QRectF top(left, PianoKeyTable::upperTop, right - left - 1,
            PianoKeyTable::lowerBottom - PianoKeyTable::upperTop);
        QLinearGradient ivory(top.topLeft(), top.bottomLeft());
        ivory.setColorAt(0, QColor(214, 210, 198));
        ivory.setColorAt(0.12, QColor(248, 246, 238));
        ivory.setColorAt(1, QColor(238, 234, 222));
        p.fillRect(top, ivory);
        p.fillRect(QRectF(left, PianoKeyTable::lowerBottom, right - left - 1,
                       keyFrontBottom - PianoKeyTable::lowerBottom),
            QColor(196, 190, 176));
        p.fillRect(
            QRectF(right - 1, PianoKeyTable::upperTop, 1, keyFrontBottom - PianoKeyTable::upperTop),
            QColor(90, 84, 76));
    }
}

void paintBlackKeys(QPainter& p)
{
    for (int i = 0; i < PianoKeyTable::blackCount; ++i) {
        const PianoKeyTable::Range range = PianoKeyTable::black(i);
        const QRectF key(range.from, PianoKeyTable::upperTop, range.to - range.from,
            PianoKeyTable::lowerTop - PianoKeyTable::upperTop);
        p.fillRect(key.translated(1.5, 2), QColor(0, 0, 0, 90));
        QLinearGradient ebony(key.topLeft(), key.bottomLeft());
        ebony.setColorAt(0, QColor(8, 8, 10));
        ebony.setColorAt(0.8, QColor(52, 50, 54));
        ebony.setColorAt(1, QColor(18, 18, 20));
        p.fillRect(key, ebony);
        p.fillRect(
            QRectF(key.left() + 2, key.top() + 3, 2, key.height() - 9), QColor(255, 255, 255, 38));
    }
}

// The key number each pixel of the two bands hits, 0 for none, row by row.
QVector<int> hitKeys()
{
    QVector<int> keys;
    for (int y = PianoKeyTable::upperTop; y < PianoKeyTable::lowerBottom; ++y) {
        for (int x = 0; x < PianoKeyTable::frameWidth; ++x) {
            const QString name = PianoKeyTable::noteAt(x, y);
            keys << (name.isEmpty() ? 0
                                    : PianoKeyTable::keyNumber(
                                        name.left(2), name.endsWith(QLatin1Char('#')) ? 1 : 0));
        }
    }
    return keys;
}

// Key 1 is A0.
bool isBlack(int key)
{
    const int fromA = (key - 1) % 12;
    return fromA == 1 || fromA == 4 || fromA == 6 || fromA == 9 || fromA == 11;
}

// The key lit from below, as if a light shone through it.
QColor litColour(int y, bool black)
{
    const double depth = double(y - PianoKeyTable::upperTop)
        / (PianoKeyTable::lowerBottom - PianoKeyTable::upperTop);
    const QColor base = black ? marker.darker(130) : marker.lighter(118);
    return base.lighter(100 + int(25 * depth));
}

} // namespace

QImage PianoBoardPainter::paintKeyboard()
{
    QImage image(PianoKeyTable::frameWidth, PianoKeyTable::frameHeight, QImage::Format_RGB32);
    QPainter p(&image);
    paintCase(p);
    paintWhiteKeys(p);
    paintBlackKeys(p);
    return image;
}

QImage PianoBoardPainter::paintMarked(const QImage& keyboard, int key)
{
    QImage image = keyboard.convertToFormat(QImage::Format_RGB32);
    static const QVector<int> keys = hitKeys();
    for (int y = PianoKeyTable::upperTop; y < PianoKeyTable::lowerBottom; ++y) {
        for (int x = 0; x < PianoKeyTable::frameWidth; ++x) {
            if (keys.at((y - PianoKeyTable::upperTop) * PianoKeyTable::frameWidth + x) != key)
                continue;
            const QColor under = image.pixelColor(x, y);
            const QColor lit = litColour(y, isBlack(key));
            // Keep a little of the key's own shading under the light.
            image.setPixelColor(x, y,
                QColor((lit.red() * 3 + under.red()) / 4, (lit.green() * 3 + under.green()) / 4,
                    (lit.blue() * 3 + under.blue()) / 4));
        }
    }
    return image;
}
