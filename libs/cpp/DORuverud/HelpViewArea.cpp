#include "HelpViewArea.h"

#include "App.h"
#include "HelpDisplay.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QPushButton>
#include <QSignalMapper>
#include <QTimer>

namespace DORuverud {

namespace {

// Slide buttons are numbered across the whole process.
int slideButtonCounter = 0;

} // namespace

HelpViewArea::HelpViewArea(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("HelpViewArea"));

    m_timer = new QTimer(this);
    m_timer->setInterval(4000);
    connect(m_timer, &QTimer::timeout, this, &HelpViewArea::slotShowNextSlide);

    m_slideMapper = new QSignalMapper(this);
    connect(m_slideMapper, &QSignalMapper::mappedString, this, &HelpViewArea::slotShowSlide);

    m_display = new HelpDisplay;
    if (App::theApp()->isPocketDevice())
        m_display->setMinimumSize(280, 220);
    else
        m_display->setMinimumSize(400, 300);

    m_buttonGroup = new QButtonGroup(this);
    m_buttonGroup->setExclusive(true);
    connect(m_buttonGroup, qOverload<QAbstractButton*>(&QButtonGroup::buttonClicked), this,
        &HelpViewArea::slotButtonClicked);

    m_buttonRow = new QHBoxLayout;
    m_buttonRow->setContentsMargins(0, 0, 0, 0);
    m_buttonRow->setSpacing(3);

    auto* centringRow = new QHBoxLayout;
    centringRow->setContentsMargins(0, 0, 0, 0);
    centringRow->addStretch(1);
    centringRow->addLayout(m_buttonRow);
    centringRow->addStretch(1);

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(m_display);
    layout->addLayout(centringRow);
    setLayout(layout);
}

void HelpViewArea::addSlide(const QString& path)
{
    ++slideButtonCounter;
    auto* button = new QPushButton(QString::number(slideButtonCounter));
    applyItemButtonProperties(button, QStringLiteral("HelpSlideButton"));
    m_buttonGroup->addButton(button);
    m_buttonRow->addWidget(button);
    connect(button, &QPushButton::toggled, m_slideMapper, qOverload<>(&QSignalMapper::map));
    connect(button, &QPushButton::clicked, this, &HelpViewArea::slotStopSlideShow);
    m_slideMapper->setMapping(button, path);
}

QPushButton* HelpViewArea::applyItemButtonProperties(QPushButton* button, const QString& objectName)
{
    button->setFlat(true);
    button->setFixedSize(18, 18);
    button->setCheckable(true);
    button->setObjectName(objectName);
    return button;
}

void HelpViewArea::slotStartSlideShow()
{
    const QList<QAbstractButton*> buttons = m_buttonGroup->buttons();
    if (!m_buttonGroup->checkedButton() && !buttons.isEmpty())
        buttons.first()->setChecked(true);
    m_timer->start();
}

void HelpViewArea::slotStopSlideShow()
{
    m_timer->stop();
}

void HelpViewArea::slotButtonClicked() { }

void HelpViewArea::slotShowSlide(const QString& path)
{
    m_display->setSlide(path);
}

void HelpViewArea::slotShowNextSlide()
{
    const QList<QAbstractButton*> buttons = m_buttonGroup->buttons();
    if (buttons.isEmpty())
        return;
    // With none checked, the next one is the first.
    const int current = buttons.indexOf(m_buttonGroup->checkedButton());
    buttons.at((current + 1) % buttons.size())->setChecked(true);
}

} // namespace DORuverud
