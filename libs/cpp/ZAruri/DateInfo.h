#pragma once

#include <QDate>
#include <QString>

namespace ZAruri {

// Calendar texts and numbers for a date. Out-of-range input gives "Unknown",
// an empty string or a plain number; nothing is reported.
class DateInfo
{
public:
    DateInfo() = delete;

    // 0 = Monday .. 6 = Sunday, translated in the "QObject" context.
    static QString weekName(int day);
    // 1 = January .. 12 = December, translated in the "QObject" context.
    static QString monthName(int month);
    // Full years from the birth date to today; the birthday itself counts.
    static int ageInYears(const QDate& birthDate);
    // The untranslated sign name ("Capricom" as stored), or empty.
    static QString zodiacName(const QDate& date);
    // The translated descriptive name of a sign name (case-sensitive), or a null string.
    static QString translatedZodiacName(const QString& name);
    // Day of the lunar cycle, 0 at new moon; -1 on rare dates (see the .cpp).
    static int moonDay(const QDate& date);
    // Phase number 0 to 7 of the moon day.
    static int moonPhase(const QDate& date);
};

} // namespace ZAruri
