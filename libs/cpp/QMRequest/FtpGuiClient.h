#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace QMRequest {

class FtpClient;

// A small test window over FtpClient; nothing in the program opens it.
class FtpGuiClient : public QWidget
{
    Q_OBJECT

public:
    explicit FtpGuiClient(QWidget* parent = nullptr);

private slots:
    void slotLogin();
    void slotGo();
    void slotCd(const QString& dir);
    void slotRefresh();
    void slotItemDoubleClicked(QTreeWidgetItem* item, int column);
    void slotTest();

private:
    void buildLayout();

    QLineEdit* m_hostField;
    QLineEdit* m_userField;
    QLineEdit* m_passwordField;
    QPushButton* m_loginButton;
    QLineEdit* m_pathField;
    QPushButton* m_goButton;
    QTreeWidget* m_fileList;
    FtpClient* m_ftpClient;
};

} // namespace QMRequest
