#include "DateWidget.h"

#include "DateInfo.h"

#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QHBoxLayout>

namespace DORuverud {

namespace {

const int yearsBack = 130;

} // namespace

DateWidget::DateWidget(int yearOffset, QWidget* parent)
    : QWidget(parent)
    , m_pDay(new QComboBox)
    , m_pMonth(new QComboBox)
    , m_pYear(new QComboBox)
{
    for (QComboBox* list : {m_pDay, m_pMonth, m_pYear})
        connect(
            list, qOverload<int>(&QComboBox::currentIndexChanged), this, &DateWidget::dataChanged);
    for (int month = 1; month <= 12; ++month)
        m_pMonth->addItem(ZAruri::DateInfo::monthName(month));
    connect(m_pMonth, qOverload<int>(&QComboBox::currentIndexChanged), this,
        &DateWidget::slotMonthChanged);
    addYears(QDate::currentDate().year() + yearOffset);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_pDay);
    layout->addWidget(m_pMonth);
    layout->addWidget(m_pYear);
    layout->addStretch(1);
    fitDays(0);
    fitWidths();
}

// A new font or style changes what the lists need, and asks for a new layout.
bool DateWidget::event(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest)
        fitWidths();
    return QWidget::event(event);
}

void DateWidget::fitWidths()
{
    struct Limits
    {
        QComboBox* list;
        int least;
        int most;
    };
    const Limits limits[] = {{m_pDay, 50, 80}, {m_pMonth, 90, 110}, {m_pYear, 70, 90}};
    for (const auto& [list, least, most] : limits) {
        const int needed = list->minimumSizeHint().width();
        list->setMinimumWidth(qMax(least, needed));
        list->setMaximumWidth(qMax(most, needed));
    }
    setMinimumWidth(qMax(300, layout()->minimumSize().width()));
}

void DateWidget::addYears(int newest)
{
    m_pYear->addItem(QString());
    for (int year = newest; year >= newest - yearsBack; --year)
        m_pYear->addItem(QString::number(year));
}

int DateWidget::day() const
{
    return m_pDay->currentIndex() + 1;
}

int DateWidget::month() const
{
    return m_pMonth->currentIndex() + 1;
}

int DateWidget::year() const
{
    bool ok = false;
    const int value = m_pYear->currentText().toInt(&ok, 10);
    return ok ? value : -1;
}

void DateWidget::setDay(const int& day)
{
    m_pDay->setCurrentIndex(qMax(day, 1) - 1);
}

void DateWidget::setMonth(const int& month)
{
    m_pMonth->setCurrentIndex(qMax(month, 1) - 1);
}

void DateWidget::setYear(const int& year)
{
    if (year > 0)
        m_pYear->setCurrentIndex(m_pYear->findText(QString::number(year), Qt::MatchExactly));
}

void DateWidget::setDayMode(bool on)
{
    m_pMonth->setVisible(!on);
    m_pYear->setVisible(!on);
}

void DateWidget::clear()
{
    for (QComboBox* list : {m_pDay, m_pMonth, m_pYear})
        list->blockSignals(true);
    m_pYear->setCurrentIndex(0);
    m_pMonth->setCurrentIndex(0);
    fitDays(0);
    m_pDay->setCurrentIndex(0);
    for (QComboBox* list : {m_pDay, m_pMonth, m_pYear})
        list->blockSignals(false);
}

void DateWidget::slotMonthChanged(int index)
{
    fitDays(index);
}

void DateWidget::fitDays(int monthIndex)
{
    // 2008 is a leap year: February keeps its 29th whatever year is chosen.
    const int days = monthIndex >= 0 ? QDate(2008, monthIndex + 1, 1).daysInMonth() : 31;
    if (m_pDay->currentIndex() >= days)
        m_pDay->setCurrentIndex(days - 1);
    while (m_pDay->count() > days)
        m_pDay->removeItem(m_pDay->count() - 1);
    while (m_pDay->count() < days)
        m_pDay->addItem(QString::number(m_pDay->count() + 1));
}

} // namespace DORuverud
