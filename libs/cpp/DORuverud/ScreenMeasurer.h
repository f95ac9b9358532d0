#pragma once

#include "ScreenCropper.h"

namespace DORuverud {

// An on-screen ruler on the cropper: while the user drags a rectangle over
// the still picture of the screen it shows the size of the area under it in
// screen points, "<width>x<height>". It crops and saves nothing. The owner
// calls grabScreen(), shows the ruler on done(), and Escape hides it.
class ScreenMeasurer : public ScreenCropper
{
    Q_OBJECT

public:
    explicit ScreenMeasurer(QWidget* parent = nullptr);

    // The ruler has no texts of its own.
    void retranslateUi() override;

signals:
    // A new picture is taken; the ruler does not show itself.
    void done();
    // The ruler is hidden.
    void doQuit();

private slots:
    void grabScreen() override;
    void slotClose() override;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static int fittingPoints(const QString& text, const QSize& area);
    void drawMeasure(QPainter& painter) const;
    void drawCaption(QPainter& painter, const QString& text) const;
};

} // namespace DORuverud
