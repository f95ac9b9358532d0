#pragma once

#include <QFrame>

class QPushButton;

namespace VADirur {

// The tuner's instrument chooser: the common controls at the top and, at
// the foot, a grid of eleven instrument buttons (one checked at a time)
// and a button for the chord application, each with a caption under it.
class TunersExplorer : public QFrame
{
    Q_OBJECT

public:
    explicit TunersExplorer(QWidget* parent);

signals:
    void showViolin();
    void showViola();
    void showCello();
    void showDoubleBass();
    void showGuitar();
    void showBassGuitar();
    void showUkulele();
    void showBanjo();
    void showMandolin();
    void showBalalaika();
    void showDombra();
    void showMore();
    void repeatModeChangedTo(bool on);
};

} // namespace VADirur
