#pragma once

#include <QFrame>

class QButtonGroup;
class QLabel;
class QPushButton;

// The instrument selector: a column of seven picture buttons with captions.
class ItemsPanel : public QFrame
{
    Q_OBJECT

public:
    explicit ItemsPanel(QWidget* parent);

    void applyItemButtonProperties(QPushButton* button, const QString& name);
    QLabel* applyItemLabelProperties(QLabel* label);

signals:
    // The object name of the checked button, on every click of a button.
    void itemChanged(const QString& name);

private slots:
    void slotItemClicked();

private:
    QButtonGroup* m_buttonGroup;
};
