#pragma once

#include <QGroupBox>
#include <QVector>

class QSlider;
class QSpinBox;

namespace DORuverud {

// A screen size, picked from presets with a slider or typed as width and height.
class ResolutionSetupWidget : public QGroupBox
{
    Q_OBJECT

public:
    explicit ResolutionSetupWidget(QWidget* parent = nullptr);

    // Appends a preset; the numbers show the first preset.
    void addResolution(int width, int height);
    // The numbers shown, typed or preset.
    QSize resolution() const;

signals:
    // The slider chose a preset.
    void resolutionChanged(const QSize& size);

private slots:
    void slotValueChanged(int n);

private:
    void showPreset(int n);

    QVector<int> m_widths;
    QVector<int> m_heights;
    QSlider* m_slider;
    QSpinBox* m_width;
    QSpinBox* m_height;
};

} // namespace DORuverud
