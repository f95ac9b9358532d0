#include "UpdatePage.h"

namespace DORuverud {

QDate UpdatePage::releaseDate(const QByteArray& page, const QString& magicString)
{
    const int end = page.indexOf('\0');
    const QString text = QString::fromLatin1(page.constData(), end < 0 ? page.size() : end);
    const QString marker = magicString + QStringLiteral(":1.1.");
    const int found = text.indexOf(marker);
    if (found < 0)
        return QDate();
    const QString format = QStringLiteral("dd.MM.yyyy");
    const int start = found + marker.size();
    const int lineEnd = start + format.size();
    if (lineEnd >= text.size()
        || (text.at(lineEnd) != QLatin1Char('\n') && text.at(lineEnd) != QLatin1Char('\r')))
        return QDate();
    const QString dateText = text.mid(start, format.size());
    const QDate parsed = QDate::fromString(dateText, format);
    // The parser also takes signs and spaces ("+7.05.2014"); only the exact form counts.
    return parsed.toString(format) == dateText ? parsed : QDate();
}

} // namespace DORuverud
