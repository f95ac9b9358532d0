#include "ColorWidgetPopup.h"

#include <QGridLayout>
#include <QPushButton>

namespace DORuverud {

namespace {

const int rows = 6;
const int columns = 8;
const int buttonSize = 20;

// By row, top to bottom; column 0 is a grey ramp.
const QRgb colourTable[rows][columns] = {
    {qRgb(255, 255, 255), qRgb(255, 192, 192), qRgb(255, 224, 192), qRgb(255, 255, 192),
        qRgb(192, 255, 192), qRgb(192, 255, 255), qRgb(192, 192, 255), qRgb(255, 192, 255)},
    {qRgb(224, 224, 224), qRgb(255, 128, 128), qRgb(255, 192, 128), qRgb(255, 255, 128),
        qRgb(128, 255, 128), qRgb(128, 255, 255), qRgb(128, 128, 255), qRgb(255, 128, 255)},
    {qRgb(192, 192, 192), qRgb(255, 0, 0), qRgb(255, 128, 0), qRgb(255, 255, 0), qRgb(0, 255, 0),
        qRgb(0, 255, 255), qRgb(0, 0, 255), qRgb(255, 0, 255)},
    {qRgb(128, 128, 128), qRgb(192, 0, 0), qRgb(192, 64, 0), qRgb(192, 192, 0), qRgb(0, 192, 0),
        qRgb(0, 192, 192), qRgb(0, 0, 192), qRgb(192, 0, 192)},
    {qRgb(64, 64, 64), qRgb(128, 0, 0), qRgb(128, 64, 0), qRgb(128, 128, 0), qRgb(0, 128, 0),
        qRgb(0, 128, 128), qRgb(0, 0, 128), qRgb(128, 0, 128)},
    {qRgb(0, 0, 0), qRgb(64, 0, 0), qRgb(128, 64, 64), qRgb(64, 64, 0), qRgb(0, 64, 0),
        qRgb(0, 64, 64), qRgb(0, 0, 64), qRgb(64, 0, 64)},
};

} // namespace

ColorWidgetPopup::ColorWidgetPopup(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    setObjectName(QStringLiteral("ColorWidgetPopup"));
    setMinimumSize(30, 15);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(5, 5, 5, 5);
    grid->setSpacing(2);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            grid->addWidget(createButton(QColor(colourTable[row][column])), row, column);
    }
    setLayout(grid);
}

QPushButton* ColorWidgetPopup::createButton(const QColor& colour)
{
    QPixmap swatch(buttonSize, buttonSize);
    swatch.fill(colour);
    auto* button = new QPushButton;
    button->setFlat(true);
    button->setFixedSize(buttonSize, buttonSize);
    button->setIcon(QIcon(swatch));
    connect(button, &QPushButton::clicked, this, &ColorWidgetPopup::slotColorChanged);
    return button;
}

bool ColorWidgetPopup::isInAction() const
{
    return m_inAction;
}

void ColorWidgetPopup::enterEvent(QEvent*)
{
    m_inAction = true;
}

void ColorWidgetPopup::leaveEvent(QEvent*)
{
    m_inAction = false;
    hide();
}

void ColorWidgetPopup::slotColorChanged()
{
    if (auto* button = qobject_cast<QPushButton*>(sender())) {
        const QImage swatch
            = button->icon().pixmap(buttonSize, buttonSize, QIcon::Normal, QIcon::Off).toImage();
        emit colorChanged(swatch.pixelColor(0, 0));
    }
    m_inAction = false;
    hide();
}

} // namespace DORuverud
