#include "UpdatePage.h"

namespace DORuverud {

UpdatePage::Content UpdatePage::read(
    const QByteArray& page, const QString& magicString, QDate* date)
{
    const int end = page.indexOf('\0');
    const QString text = QString::fromLatin1(page.constData(), end < 0 ? page.size() : end);
    if (text.isEmpty())
        return Empty;
    const QString marker = magicString + QStringLiteral(":1.1.");
    const int found = text.indexOf(marker);
    if (found < 0)
        return NoMarker;
    const int start = found + marker.size();
    const int lineFeed = text.indexOf(QLatin1Char('\n'), start);
    if (lineFeed < 0)
        return NoLineFeed;
    const QString format = QStringLiteral("dd.MM.yyyy");
    const QString dateText = text.mid(start, lineFeed - start);
    const QDate parsed = QDate::fromString(dateText, format);
    // The parser also takes signs and spaces ("+7.05.2014"); only the exact form counts.
    *date = parsed.toString(format) == dateText ? parsed : QDate();
    return Dated;
}

} // namespace DORuverud
