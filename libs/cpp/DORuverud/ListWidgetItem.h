#pragma once

#include <QListWidgetItem>
#include <QString>

namespace DORuverud {

// A list item that carries the full path of its file beside its text.
class ListWidgetItem : public QListWidgetItem
{
public:
    explicit ListWidgetItem(QListWidget* listview = nullptr, int type = Type);
    explicit ListWidgetItem(const QString& text, QListWidget* listview = nullptr, int type = Type);
    ListWidgetItem(
        const QIcon& icon, const QString& text, QListWidget* listview = nullptr, int type = Type);
    // The new item's full path is empty.
    explicit ListWidgetItem(const QListWidgetItem& other);

    void setFullPath(const QString& path);
    QString fullPath() const;

private:
    QString m_strFullPath;
};

} // namespace DORuverud
