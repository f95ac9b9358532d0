#pragma once

#include <QFrame>

namespace DORuverud {

// Shows one slide picture centred and letterboxed in black, drawn at
// twice the pixel density.
class HelpDisplay : public QFrame
{
    Q_OBJECT

public:
    explicit HelpDisplay(QWidget* parent = nullptr);

    void setSlide(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_slide;
};

} // namespace DORuverud
