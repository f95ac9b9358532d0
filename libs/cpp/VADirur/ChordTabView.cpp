#include "ChordTabView.h"

#include "ChordSpelling.h"

#include <QPainter>

namespace VADirur {

namespace {

const QColor pressedColour(52, 132, 214);

QColor keyColour(bool black, bool pressed)
{
    if (black)
        return pressed ? pressedColour.darker(115) : QColor(24, 24, 24);
    return pressed ? pressedColour.lighter(150) : QColor(252, 252, 250);
}

} // namespace

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

// The title, the keyboard, "C3" and "C4" over it and the names under it,
// spelt from the chord's name.
void ChordTabView::drawKeys(QPainter* painter)
{
    const int titleBottom = drawTitle(painter);
    QVector<KeyboardLayout::Name> names;
    for (const ChordSpelling::Note& note :
        ChordSpelling::spellNamed(chordName, chordIndex, chordTab))
        names.append({note.key - ChordSpelling::lowestKey, ChordSpelling::name(note)});
    m_keyboard.lay(size(), titleBottom, font(), names);
    drawKeyboard(painter, names);
    painter->setPen(QColor(96, 96, 96));
    painter->setFont(m_keyboard.labelFont());
    for (int which = 0; which < 2; ++which)
        painter->drawText(m_keyboard.labelOrigin(which), KeyboardLayout::label(which));
    painter->setPen(pressedColour.darker(150));
    painter->setFont(m_keyboard.nameFont());
    for (int i = 0; i < names.size(); ++i)
        painter->drawText(m_keyboard.nameOrigin(i), names.at(i).text);
}

// The white keys, the black ones over them, and a dot on each pressed key.
// A key is its outline's colour with its face filled inside, plain fills on
// whole pixels that cost a chord switch next to nothing.
void ChordTabView::drawKeyboard(QPainter* painter, const QVector<KeyboardLayout::Name>& names) const
{
    QVector<bool> pressed(KeyboardLayout::keyCount);
    for (const KeyboardLayout::Name& name : names) {
        if (name.key < pressed.size())
            pressed[name.key] = true;
    }
    const int pen = m_keyboard.pen();
    for (const bool black : {false, true}) {
        for (int key = 0; key < KeyboardLayout::keyCount; ++key) {
            if (KeyboardLayout::isBlack(key) != black)
                continue;
            const QRect rect = m_keyboard.keyRect(key);
            painter->fillRect(rect, QColor(40, 40, 40));
            painter->fillRect(
                rect.adjusted(pen, pen, -pen, -pen), keyColour(black, pressed.at(key)));
        }
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    for (const KeyboardLayout::Name& name : names) {
        const bool black = KeyboardLayout::isBlack(name.key);
        painter->setBrush(black ? pressedColour.lighter(150) : pressedColour);
        painter->drawEllipse(m_keyboard.dotRect(name.key));
    }
    painter->restore();
}

} // namespace VADirur
