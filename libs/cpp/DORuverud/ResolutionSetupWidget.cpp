#include "ResolutionSetupWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace DORuverud {

namespace {

QHBoxLayout* row(const QList<QWidget*>& widgets)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    return layout;
}

} // namespace

ResolutionSetupWidget::ResolutionSetupWidget(QWidget* parent)
    : QGroupBox(parent)
{
    m_slider = new QSlider(Qt::Horizontal, this);
    m_width = new QSpinBox(this);
    m_height = new QSpinBox(this);
    m_slider->setTickInterval(1);
    m_slider->setTickPosition(QSlider::TicksBelow);
    connect(m_slider, &QSlider::valueChanged, this, &ResolutionSetupWidget::slotValueChanged);
    m_width->setRange(100, 30000);
    m_height->setRange(100, 30000);

    auto* times = new QLabel(QStringLiteral("x"), this);
    times->setMaximumWidth(10);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(1);
    layout->addLayout(row({new QLabel(tr("Low"), this), m_slider, new QLabel(tr("High"), this)}));
    layout->addLayout(row({m_width, times, m_height}));
}

void ResolutionSetupWidget::addResolution(int width, int height)
{
    m_widths.append(width);
    m_heights.append(height);
    m_slider->setRange(0, m_widths.size() - 1);
    showPreset(0);
}

QSize ResolutionSetupWidget::resolution() const
{
    return QSize(m_width->value(), m_height->value());
}

// A slider without presets (its default range) chooses nothing.
void ResolutionSetupWidget::slotValueChanged(int n)
{
    if (n < 0 || n >= m_widths.size())
        return;
    showPreset(n);
    emit resolutionChanged(resolution());
}

void ResolutionSetupWidget::showPreset(int n)
{
    m_width->setValue(m_widths.at(n));
    m_height->setValue(m_heights.at(n));
}

} // namespace DORuverud
