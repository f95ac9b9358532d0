#pragma once

#include <QLabel>
#include <QPoint>

namespace DORuverud {

// The title bar of a frameless window: dragging it moves the window. It
// may carry a decoration, a shaped window of its own that follows it.
class TitleLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TitleLabel(QWidget* parent = nullptr);
    ~TitleLabel() override;

    // Takes ownership; the previous decoration is deleted. The offset is
    // the decoration's top-left corner in the label's coordinates.
    void setDecoration(QWidget* decoration, const QPoint& offset);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void placeDecoration();

    QPoint m_pressPosition;
    QPoint m_decorationOffset;
    QWidget* m_decoration = nullptr;
};

} // namespace DORuverud
