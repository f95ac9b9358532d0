#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace VADirur {

// Lists the favourite names and lets the user pick one to delete.
// exec() returns 1 for Delete, 0 for Cancel.
class FavoritesDeleteDlg : public QDialog
{
    Q_OBJECT

public:
    explicit FavoritesDeleteDlg(QWidget* parent = nullptr);

    // The current name; empty when the list is empty.
    QString item() const;
    // Inserts the name at the top of the list.
    void addItem(const QString& text);
    void clearItems();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QListWidget* m_listWidget;
    QPushButton* m_cancelButton;
};

} // namespace VADirur
