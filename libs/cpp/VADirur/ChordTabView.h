#pragma once

#include "ChordBaseView.h"
#include "TablatureLayout.h"

namespace VADirur {

// The tablature of a string instrument, the keyboard picture of the piano.
class ChordTabView : public ChordBaseView
{
    Q_OBJECT

public:
    explicit ChordTabView(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void drawStrings(QPainter* painter);
    virtual void drawKeys(QPainter* painter);

private:
    TablatureLayout m_layout;
};

} // namespace VADirur
