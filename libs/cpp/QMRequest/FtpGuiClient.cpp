#include "FtpGuiClient.h"

#include "FtpClient.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace QMRequest {

FtpGuiClient::FtpGuiClient(QWidget* parent)
    : QWidget(parent)
    , m_hostField(new QLineEdit(QStringLiteral("192.168.1.20"), this))
    , m_userField(new QLineEdit(QStringLiteral("ftpuser"), this))
    , m_passwordField(new QLineEdit(QStringLiteral("tulvend"), this))
    , m_loginButton(new QPushButton(QStringLiteral("&Login"), this))
    , m_pathField(new QLineEdit(QStringLiteral("/charts"), this))
    , m_goButton(new QPushButton(QStringLiteral("&Go"), this))
    , m_fileList(new QTreeWidget(this))
    , m_ftpClient(new FtpClient(this))
{
    m_fileList->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("LastModified")});
    buildLayout();
}

void FtpGuiClient::buildLayout()
{
    auto* loginRow = new QHBoxLayout;
    loginRow->setContentsMargins(0, 0, 0, 0);
    loginRow->setSpacing(0);
    loginRow->addWidget(new QLabel(QStringLiteral("Host:"), this));
    loginRow->addWidget(m_hostField);
    loginRow->addWidget(new QLabel(QStringLiteral("User:"), this));
    loginRow->addWidget(m_userField);
    loginRow->addWidget(new QLabel(QStringLiteral("Password:"), this));
    loginRow->addWidget(m_passwordField);
    loginRow->addWidget(m_loginButton);

    auto* refreshButton = new QPushButton(QStringLiteral("Rfr"), this);
    auto* pathRow = new QHBoxLayout;
    pathRow->setContentsMargins(0, 0, 0, 0);
    pathRow->setSpacing(0);
    pathRow->addWidget(new QLabel(QStringLiteral("Path:"), this));
    pathRow->addWidget(m_pathField);
    pathRow->addWidget(m_goButton);
    pathRow->addWidget(refreshButton);

    auto* testButton = new QPushButton(QStringLiteral("Test"), this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(loginRow);
    outer->addLayout(pathRow);
    outer->addWidget(m_fileList);
    outer->addWidget(testButton);

    connect(refreshButton, &QPushButton::clicked, this, &FtpGuiClient::slotRefresh);
    connect(testButton, &QPushButton::clicked, this, &FtpGuiClient::slotTest);
    connect(m_loginButton, &QPushButton::clicked, this, &FtpGuiClient::slotLogin);
    connect(m_goButton, &QPushButton::clicked, this, &FtpGuiClient::slotGo);
    connect(
        m_fileList, &QTreeWidget::itemDoubleClicked, this, &FtpGuiClient::slotItemDoubleClicked);
}

void FtpGuiClient::slotLogin() { }

void FtpGuiClient::slotGo()
{
    m_ftpClient->cd(m_pathField->text());
    slotRefresh();
}

void FtpGuiClient::slotCd(const QString& dir)
{
    m_ftpClient->cd(dir);
    slotRefresh();
}

void FtpGuiClient::slotRefresh()
{
    m_fileList->clear();
    new QTreeWidgetItem(m_fileList, {QStringLiteral("..")});
}

void FtpGuiClient::slotItemDoubleClicked(QTreeWidgetItem* item, int column)
{
    Q_UNUSED(column)
    m_ftpClient->cd(item->text(0));
    slotRefresh();
}

void FtpGuiClient::slotTest()
{
    m_ftpClient->put(QByteArray("!!!TESTTEST!!!"), QStringLiteral("TestFile.txt"));
}

} // namespace QMRequest
