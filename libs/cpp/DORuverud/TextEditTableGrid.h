#pragma once

#include <QString>
#include <QVector>

// The cells of the tables of an HTML text as Qt's importer makes them, told
// from their tags before the text is built: every row of a table as wide as
// its widest, each cell as wide as the columns it spans (the importer takes
// up to 20,480), nested tables counted on their own. Rows and cells outside
// any table make one, as the importer makes them.
class TextEditTableGrid
{
public:
    // Takes the tag named name whose name ends at the place in the text;
    // returns the cells counted so far.
    qint64 take(const QString& html, const QString& name, bool closing, int at);

private:
    struct Table
    {
        qint64 rows = 0;
        qint64 columns = 0;
        qint64 widest = 0;
    };

    void openRow();
    void openCell(qint64 span);
    static int spanAt(const QString& html, int at);

    QVector<Table> m_tables;
    qint64 m_cells = 0;
};
