#pragma once

#include <QWidget>

class QComboBox;

namespace DORuverud {

// A date from three drop-down lists: day, month and a year list that runs
// back 130 years from its newest year and may stay blank. The day list holds
// as many days as the month has in a leap year. However narrow their limits,
// the lists are never narrower than their longest entries.
class DateWidget : public QWidget
{
    Q_OBJECT

public:
    // yearOffset: the newest year of the list relative to the current year.
    explicit DateWidget(int yearOffset = 0, QWidget* parent = nullptr);

    // 1 to 31; 0 with no current day.
    int day() const;
    // 1 = January.
    int month() const;
    // -1 while the year is blank.
    int year() const;
    // 0 or less selects the first day; a day the list lacks selects none.
    void setDay(const int& day);
    // 0 or less selects January.
    void setMonth(const int& month);
    // 0 or less changes nothing; a year the list lacks selects none.
    void setYear(const int& year);
    // On: only the day list shows.
    void setDayMode(bool on);
    // Blank year, January, day 1, without dataChanged().
    void clear();

signals:
    // Any of the three lists changed its current entry.
    void dataChanged();

protected:
    bool event(QEvent* event) override;

private slots:
    void slotMonthChanged(int index);

private:
    void addYears(int newest);
    // The lists and the selector keep to their width limits unless the
    // lists' entries need more room in the current font and style.
    void fitWidths();
    // Makes the day list as long as the month (0 to 11) in 2008.
    void fitDays(int monthIndex);

    QComboBox* m_pDay;
    QComboBox* m_pMonth;
    QComboBox* m_pYear;
};

} // namespace DORuverud
