#pragma once

#include "ChordBaseView.h"

namespace VADirur {

// The photograph of the chord played on the instrument.
class ChordPhotoView : public ChordBaseView
{
    Q_OBJECT

public:
    explicit ChordPhotoView(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace VADirur
