#pragma once

#include <QFrame>
#include <QPixmap>

namespace VADirur {

// The 88-key keyboard, A0 to C8: a click on a key marks it, sounds it and
// reports it; slotSetNote() marks a note chosen elsewhere.
class PianoBoard : public QFrame
{
    Q_OBJECT

public:
    explicit PianoBoard(QWidget* parent);

    // The key under a widget point ("C4#"), or empty.
    QString positionToNote(int x, int y) const;

signals:
    // name without sharp ("C4"); accidental 1 for a black key, 0 for a white one.
    void noteChanged(const QString& name, int accidental);

public slots:
    // Marks the key of the note; does not emit.
    void slotSetNote(const QString& name, int accidental);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_strHighlightedKey;
    QPixmap m_keyboardPix;
    float m_fAspectRatio;
};

} // namespace VADirur
