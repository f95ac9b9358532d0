#pragma once

#include <QFrame>
#include <QMap>

class QTimer;

namespace VADirur {

class TuneButton;

// The row of ten string buttons at the foot of a tuner page, all hidden
// until a page shows those of its strings. In repeat mode the buttons are
// checkable, and the one checked sounds again every second.
class ButtonsPanel : public QFrame
{
    Q_OBJECT

public:
    explicit ButtonsPanel(QWidget* parent);

    // Null for an index outside 0 to 9.
    TuneButton* button(int index) const;

public slots:
    void slotSetRepeatMode(bool on);
    void slotClicked(bool checked);
    void slotTimeOut();

protected:
    // Square buttons, a 6.5th of the panel's width.
    void resizeEvent(QResizeEvent* event) override;

private:
    QMap<int, TuneButton*> m_buttons;
    bool m_bRepeatMode = false;
    QTimer* m_pRepeatTimer;
};

} // namespace VADirur
