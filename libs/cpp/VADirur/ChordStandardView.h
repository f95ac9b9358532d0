#pragma once

#include "ChordBaseView.h"

namespace VADirur {

class FretDiagramLayout;

// The fret diagram of a string instrument, the staff picture of the piano.
class ChordStandardView : public ChordBaseView
{
    Q_OBJECT

public:
    explicit ChordStandardView(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void drawStrings(QPainter* painter);
    virtual void drawKeys(QPainter* painter);

private:
    void drawMarker(QPainter* painter, const FretDiagramLayout& layout, int k);
};

} // namespace VADirur
