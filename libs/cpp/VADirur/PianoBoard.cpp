#include "PianoBoard.h"

#include "App.h"
#include "MusicPagePictures.h"
#include "PianoKeyTable.h"
#include "SamplePlayer.h"

#include <QMouseEvent>
#include <QPainter>

namespace VADirur {

PianoBoard::PianoBoard(QWidget* parent)
    : QFrame(parent)
    , m_keyboardPix(MusicPagePictures::resource(MusicPagePictures::keyboard()))
{
    setMinimumSize(300, 250);
    m_fAspectRatio = m_keyboardPix.isNull()
        ? float(PianoKeyTable::frameWidth) / PianoKeyTable::frameHeight
        : float(m_keyboardPix.width()) / m_keyboardPix.height();
}

QString PianoBoard::positionToNote(int x, int y) const
{
    const float refX = float(x) * PianoKeyTable::frameWidth / float(width());
    const float refY = float(y) * PianoKeyTable::frameHeight / float(height());
    return PianoKeyTable::noteAt(refX, refY);
}

void PianoBoard::slotSetNote(const QString& name, int accidental)
{
    m_strHighlightedKey = QString::number(PianoKeyTable::keyNumber(name, accidental));
    update();
}

void PianoBoard::mousePressEvent(QMouseEvent* event)
{
    const QString key = positionToNote(event->pos().x(), event->pos().y());
    if (key.isEmpty())
        return;
    const bool sharp = key.endsWith(QLatin1Char('#'));
    const QString note = key.left(2);
    slotSetNote(note, sharp ? 1 : 0);
    emit noteChanged(note, sharp ? 1 : 0);
    const QString sample = QStringLiteral("piano_440_") + note.at(0)
        + (sharp ? QStringLiteral("d") : QString()) + note.at(1) + QStringLiteral(".mp3");
    SamplePlayer::play(DORuverud::App::theApp()->bundleResourcePath() + sample);
}

void PianoBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect all(0, 0, width(), height());
    painter.drawPixmap(all, m_keyboardPix);
    if (m_strHighlightedKey.isEmpty())
        return;
    const qreal ratio = DORuverud::App::theApp()->devicePixelRatio();
    const QPixmap marked = QPixmap(
        MusicPagePictures::resource(MusicPagePictures::markedKeyboard(m_strHighlightedKey)))
                               .scaled(int(width() * ratio), int(height() * ratio),
                                   Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap(all, marked);
}

void PianoBoard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setFixedHeight(int(width() / m_fAspectRatio));
}

} // namespace VADirur
