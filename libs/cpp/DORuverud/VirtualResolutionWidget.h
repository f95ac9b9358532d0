#pragma once

#include <QWidget>

class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;

namespace DORuverud {

// Shows a widget laid out at a virtual screen size, stretched across and
// down to fill the view. Until setWidget() the sizes are only kept.
class VirtualResolutionWidget : public QWidget
{
    Q_OBJECT

public:
    explicit VirtualResolutionWidget(QWidget* parent = nullptr);

    // The scene takes the widget over; a size set before applies to it.
    void setWidget(QWidget* widget);

public slots:
    void slotSetSize(const QSize& size);
    void slotSetWidth(int width);
    void slotSetHeight(int height);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QSize knownSize() const;
    void fit();
    void refit();

    QGraphicsScene* m_scene;
    QGraphicsView* m_view;
    QGraphicsProxyWidget* m_proxy = nullptr;
    QSize m_virtualSize;
};

} // namespace DORuverud
