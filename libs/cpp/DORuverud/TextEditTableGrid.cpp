#include "TextEditTableGrid.h"

#include <QRegularExpression>

qint64 TextEditTableGrid::take(const QString& html, const QString& name, bool closing, int at)
{
    if (name == QLatin1String("table")) {
        if (!closing)
            m_tables.append(Table());
        else if (!m_tables.isEmpty())
            m_tables.removeLast();
    } else if (name == QLatin1String("tr") && !closing) {
        openRow();
    } else if ((name == QLatin1String("td") || name == QLatin1String("th")) && !closing) {
        openCell(spanAt(html, at));
    }
    return m_cells;
}

// A new row is as wide as the widest before it.
void TextEditTableGrid::openRow()
{
    if (m_tables.isEmpty())
        m_tables.append(Table());
    Table& table = m_tables.last();
    ++table.rows;
    table.columns = 0;
    m_cells += table.widest;
}

// A cell that widens its table widens every row of it.
void TextEditTableGrid::openCell(qint64 span)
{
    if (m_tables.isEmpty() || m_tables.last().rows == 0)
        openRow();
    Table& table = m_tables.last();
    table.columns += span;
    if (table.columns > table.widest) {
        m_cells += (table.columns - table.widest) * table.rows;
        table.widest = table.columns;
    }
}

// The colspan of the tag at the place, 1 where it has none. Read up to the
// next "<" too, so that the text is read once however its tags are cut.
int TextEditTableGrid::spanAt(const QString& html, int at)
{
    static const QRegularExpression colspan(
        QStringLiteral("\\bcolspan\\s*=\\s*[\"']?\\s*(\\d{1,6})"),
        QRegularExpression::CaseInsensitiveOption);
    int end = at;
    while (end < html.size() && html.at(end) != '>' && html.at(end) != '<')
        ++end;
    const QRegularExpressionMatch match = colspan.match(html.midRef(at, end - at));
    return match.hasMatch() ? qBound(1, match.capturedRef(1).toInt(), 20480) : 1;
}
