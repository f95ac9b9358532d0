#include "VirtualResolutionDialog.h"

#include "Common.h"
#include "DialogPictures.h"
#include "ResolutionPictures.h"
#include "ResolutionSetupWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace DORuverud {

namespace {

// Slider order.
const QSize presets[] = {{1024, 768}, {1152, 864}, {1280, 800}, {1280, 1024}, {1440, 900},
    {1600, 1200}, {1680, 1050}, {1920, 1200}, {1980, 1250}, {2048, 1536}, {2650, 1600},
    {3840, 2400}, {4096, 3072}, {5300, 3200}};

QHBoxLayout* boxRow(int margins, int spacing)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(margins, margins, margins, margins);
    row->setSpacing(spacing);
    return row;
}

} // namespace

VirtualResolutionDialog::VirtualResolutionDialog(QWidget* parent)
    : QDialog(parent)
{
    m_mode = new QComboBox(this);
    m_mode->addItem(tr("Virtual Resolution Mode"));
    m_mode->addItem(tr("Normal Model"));
    connect(m_mode, qOverload<int>(&QComboBox::activated), this,
        &VirtualResolutionDialog::slotModeChanged);

    auto* logo = new QLabel(this);
    const QPixmap picture(DialogPictures::resource(ResolutionPictures::logo()));
    logo->setPixmap(picture);
    logo->setFixedSize(picture.size());

    m_virtualResolution = new ResolutionSetupWidget(this);
    m_windowSize = new ResolutionSetupWidget(this);
    for (const QSize& preset : presets)
        m_virtualResolution->addResolution(preset.width(), preset.height());
    connect(m_virtualResolution, &ResolutionSetupWidget::resolutionChanged, this,
        &VirtualResolutionDialog::virtualResolutionChanged);
    m_virtualResolution->setTitle(tr("Virtual Resolution"));
    m_windowSize->setTitle(tr("Window Size"));
    m_windowSize->hide();

    QHBoxLayout* groups = boxRow(5, 5);
    groups->addWidget(m_virtualResolution);
    groups->addWidget(m_windowSize);
    QLayout* acceleration = accelerationRow();
    QLayout* buttons = buttonRow();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(3);
    layout->addWidget(logo);
    layout->addLayout(acceleration);
    layout->addWidget(m_mode);
    layout->addLayout(groups);
    layout->addLayout(buttons);
}

QLayout* VirtualResolutionDialog::accelerationRow()
{
    auto* acceleration = new QCheckBox(this);
    acceleration->setEnabled(false);
    QHBoxLayout* row = boxRow(5, 1);
    row->addWidget(new QLabel(tr("OpenGL Acceleration"), this));
    row->addWidget(acceleration);
    row->addStretch(1);
    return row;
}

QLayout* VirtualResolutionDialog::buttonRow()
{
    QHBoxLayout* row = boxRow(5, 3);
    row->addStretch(1);
    const auto add = [this, row](const QString& caption) {
        auto* button = new QPushButton(caption, this);
        Common::applyPushButtonDetails(button);
        row->addWidget(button);
        return button;
    };
    connect(add(tr("&Ok")), &QPushButton::clicked, this, &QDialog::accept);
    connect(add(tr("&Cancel")), &QPushButton::clicked, this, &QDialog::reject);
    connect(add(tr("&Apply")), &QPushButton::clicked, this, &VirtualResolutionDialog::slotApply);
    return row;
}

VirtualResolutionDialog::Mode VirtualResolutionDialog::mode() const
{
    return m_mode->currentIndex() == 0 ? VirtualResolution : Normal;
}

QSize VirtualResolutionDialog::virtualResolution() const
{
    return m_virtualResolution->resolution();
}

void VirtualResolutionDialog::slotApply()
{
    emit changeVirtualResolution(virtualResolution());
    emit changeSettings();
}

void VirtualResolutionDialog::slotModeChanged(int index)
{
    m_virtualResolution->setEnabled(index == 0);
}

} // namespace DORuverud
