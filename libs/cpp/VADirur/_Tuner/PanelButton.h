#pragma once

#include <QPushButton>

namespace VADirur {

// A button of the tuner's top strips, object name "PanelButton". The style
// sheet draws its menu arrow under the caption, so the arrow takes no width
// beside it, and some height below it.
class PanelButton : public QPushButton
{
public:
    PanelButton(const QString& text, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace VADirur
