#include "TunersExplorer.h"

#include "TunersCommonPanel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace VADirur {

namespace {

struct ButtonData
{
    const char* objectName;
    const char* caption;
    int row;
    int column;
    void (TunersExplorer::*signal)();
};

// In the order the buttons are built; the last is the chord application's.
const ButtonData buttons[] = {
    {"ViolinButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Violin</center>"), 0, 1,
        &TunersExplorer::showViolin},
    {"ViolaButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Viola</center>"), 2, 1,
        &TunersExplorer::showViola},
    {"CelloButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Cello</center>"), 4, 1,
        &TunersExplorer::showCello},
    {"DoubleBassButton",
        QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>DoubleBass</center>"), 6, 1,
        &TunersExplorer::showDoubleBass},
    {"GuitarButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Guitar</center>"), 0, 0,
        &TunersExplorer::showGuitar},
    {"BassGuitarButton",
        QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>BassGuitar</center>"), 2, 0,
        &TunersExplorer::showBassGuitar},
    {"UkuleleButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Ukulele</center>"), 4,
        0, &TunersExplorer::showUkulele},
    {"BanjoButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Banjo</center>"), 6, 0,
        &TunersExplorer::showBanjo},
    {"MandolinButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Mandolin</center>"), 0,
        2, &TunersExplorer::showMandolin},
    {"BalalaikaButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Balalaika</center>"),
        2, 2, &TunersExplorer::showBalalaika},
    {"DombraButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Dombra</center>"), 4, 2,
        &TunersExplorer::showDombra},
    {"TessivarButton", QT_TRANSLATE_NOOP("VADirur::TunersExplorer", "<center>Tessivar</center>"), 6,
        2, &TunersExplorer::showMore},
};

const int instrumentCount = 11;
const int buttonSide = 92;

} // namespace

TunersExplorer::TunersExplorer(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("TunersExplorer"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    auto* commonPanel = new TunersCommonPanel(nullptr);
    connect(commonPanel, &TunersCommonPanel::repeatModeChangedTo, this,
        &TunersExplorer::repeatModeChangedTo);

    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(15, 15, 15, 15);
    // The pictures have margins of their own; a narrow column gap leaves the
    // pages beside the chooser the width of their top strips.
    grid->setHorizontalSpacing(2);
    for (int i = 0; i < int(std::size(buttons)); ++i) {
        const ButtonData& data = buttons[i];
        auto* button = new QPushButton;
        button->setFixedSize(buttonSide, buttonSide);
        button->setFlat(true);
        button->setCheckable(i < instrumentCount);
        button->setObjectName(QLatin1String(data.objectName));
        if (i < instrumentCount)
            group->addButton(button);
        connect(button, &QPushButton::clicked, this, data.signal);
        if (data.signal == &TunersExplorer::showGuitar)
            button->setChecked(true);
        grid->addWidget(button, data.row, data.column);
        grid->addWidget(new QLabel(tr(data.caption)), data.row + 1, data.column);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(commonPanel);
    layout->addStretch(1);
    layout->addLayout(grid);
}

} // namespace VADirur
