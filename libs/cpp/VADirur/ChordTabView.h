#pragma once

#include "ChordBaseView.h"
#include "KeyboardLayout.h"
#include "TablatureLayout.h"

namespace VADirur {

// The tablature of a string instrument, the keyboard of the piano with the
// chord's keys marked and named.
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
    void drawKeyboard(QPainter* painter, const QVector<KeyboardLayout::Name>& names) const;

    TablatureLayout m_layout;
    KeyboardLayout m_keyboard;
};

} // namespace VADirur
