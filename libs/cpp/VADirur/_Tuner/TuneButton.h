#pragma once

#include <QPushButton>

namespace VADirur {

// A string button of the tuner: every click asks for its tone with play().
class TuneButton : public QPushButton
{
    Q_OBJECT

public:
    explicit TuneButton(QWidget* parent);

    void sendPlay();

signals:
    void play();
};

} // namespace VADirur
