#include "UpdaterDialog.h"

#include "App.h"
#include "AppConfig.h"
#include "Common.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace DORuverud {

namespace {
const QString checkUpdatesKey = QStringLiteral("checkupdates");
} // namespace

UpdaterDialog::UpdaterDialog(QWidget* parent)
    : QDialog(parent)
    , m_checkBox(new QCheckBox(this))
    , m_messageLabel(new QLabel(this))
    , m_pictureLabel(new QLabel(this))
{
    setWindowTitle(QCoreApplication::applicationName() + tr(" Updates Notification"));
    connect(m_checkBox, &QCheckBox::toggled, this, &UpdaterDialog::slotSetChecked);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(m_pictureLabel);
    layout->addWidget(m_messageLabel);
    layout->addLayout(buttonRow());
    layout->addLayout(checkRow());

    // Set after the connection, so that the value is written back at once.
    m_checkBox->setChecked(App::theApp()->settingsValue(checkUpdatesKey, true).toBool());
}

UpdaterDialog::~UpdaterDialog() = default;

QLayout* UpdaterDialog::buttonRow()
{
    auto* yes = new QPushButton(tr("Yes"), this);
    auto* no = new QPushButton(tr("No"), this);
    Common::applyPushButtonDetails(yes);
    Common::applyPushButtonDetails(no);
    connect(yes, &QPushButton::clicked, this, &UpdaterDialog::slotUpdate);
    connect(no, &QPushButton::clicked, this, &UpdaterDialog::slotCancel);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    row->addWidget(yes);
    row->addWidget(no);
    return row;
}

QLayout* UpdaterDialog::checkRow()
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(1);
    row->addWidget(m_checkBox);
    row->addWidget(new QLabel(tr("Check for updates on start"), this));
    row->addStretch(1);
    return row;
}

QString UpdaterDialog::updateAvailablePicture()
{
    return QStringLiteral("pix/update_available.png");
}

QString UpdaterDialog::updateNotAvailablePicture()
{
    return QStringLiteral("pix/update_not_available.png");
}

void UpdaterDialog::setMessage(const QString& message)
{
    m_messageLabel->setText(message);
}

void UpdaterDialog::setPic(const QPixmap& picture)
{
    m_pictureLabel->setPixmap(picture);
}

void UpdaterDialog::slotUpdate()
{
    App::openLink(AppConfig::updatesPage());
    reject();
}

void UpdaterDialog::slotCancel()
{
    reject();
}

void UpdaterDialog::slotSetChecked(bool on)
{
    App::theApp()->setSettingsValue(checkUpdatesKey, on);
}

} // namespace DORuverud
