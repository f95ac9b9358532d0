#include "ListWidgetItem.h"

namespace DORuverud {

ListWidgetItem::ListWidgetItem(QListWidget* listview, int type)
    : QListWidgetItem(listview, type)
{
}

ListWidgetItem::ListWidgetItem(const QString& text, QListWidget* listview, int type)
    : QListWidgetItem(text, listview, type)
{
}

ListWidgetItem::ListWidgetItem(
    const QIcon& icon, const QString& text, QListWidget* listview, int type)
    : QListWidgetItem(icon, text, listview, type)
{
}

ListWidgetItem::ListWidgetItem(const QListWidgetItem& other)
    : QListWidgetItem(other)
{
}

void ListWidgetItem::setFullPath(const QString& path)
{
    m_strFullPath = path;
}

QString ListWidgetItem::fullPath() const
{
    return m_strFullPath;
}

} // namespace DORuverud
