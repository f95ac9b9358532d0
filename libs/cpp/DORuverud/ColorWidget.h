#pragma once

#include <QColor>
#include <QWidget>

namespace DORuverud {

class ColorWidgetPopup;

// A colour swatch with a drop-down arrow. A press toggles a popup of 48 colours;
// picking one sets the swatch and emits colorChanged().
class ColorWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ColorWidget(QWidget* parent = nullptr);

    QColor color() const;
    // Sets the swatch without emitting anything.
    void setColor(const QColor& colour);
    // Window opacity of the popup.
    void setOpacity(float opacity);

signals:
    // The user picked a colour in the popup, also the current one.
    void colorChanged(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private slots:
    void slotColorChanged(const QColor& colour);

private:
    ColorWidgetPopup* m_popup;
    QColor m_color = Qt::green;
};

} // namespace DORuverud
