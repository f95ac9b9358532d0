#include "PanelButton.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace VADirur {

PanelButton::PanelButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    setFlat(true);
    setObjectName(QStringLiteral("PanelButton"));
    // The caption is centred and the menu arrow drawn at the foot: tall
    // enough for the arrow to stand clear of the caption's descenders.
    setMinimumHeight(38);
}

QSize PanelButton::sizeHint() const
{
    QSize size = QPushButton::sizeHint();
    if (menu()) {
        QStyleOptionButton option;
        initStyleOption(&option);
        size.rwidth() -= style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, this);
    }
    return size;
}

QSize PanelButton::minimumSizeHint() const
{
    return sizeHint();
}

} // namespace VADirur
