#pragma once

#include "ChordBaseView.h"
#include "FretDiagramLayout.h"

namespace VADirur {

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

    FretDiagramLayout::Fit m_lastFit;
};

} // namespace VADirur
