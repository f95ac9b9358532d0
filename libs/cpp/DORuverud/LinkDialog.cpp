#include "LinkDialog.h"

#include "App.h"
#include "AppConfig.h"
#include "Common.h"
#include "DialogPictures.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace DORuverud {

namespace {

QString showDialogKey()
{
    return QStringLiteral("ShowTutoralDialog");
}

} // namespace

LinkDialog::LinkDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" Information"));

    m_rememberCheckBox = new QCheckBox;
    m_rememberCheckBox->setChecked(!App::theApp()->settingsValue(showDialogKey(), true).toBool());

    auto* yes = new QPushButton(tr("&Yes"));
    auto* no = new QPushButton(tr("&No"));
    Common::applyPushButtonDetails(yes);
    Common::applyPushButtonDetails(no);
    connect(yes, &QPushButton::clicked, this, &LinkDialog::slotGoToLink);
    connect(no, &QPushButton::clicked, this, &LinkDialog::slotReject);
    connect(m_rememberCheckBox, &QCheckBox::toggled, this, &LinkDialog::slotRememberToggled);

    auto* picture = new QLabel(QStringLiteral("<CENTER><H3>")
        + tr("Do you want to know what you can achieve<BR>with Tessivar?")
        + tr("<BR>(Watch the Video Introduction)</H3></CENTER>"));
    picture->setStyleSheet(QStringLiteral("QLabel{background-image: url(")
        + DialogPictures::resource(DialogPictures::linkBackground()) + QStringLiteral(");}"));
    picture->setFixedSize(360, 177);
    picture->setWordWrap(true);

    auto* checkRow = new QHBoxLayout;
    checkRow->setContentsMargins(0, 0, 0, 0);
    checkRow->setSpacing(1);
    checkRow->addWidget(m_rememberCheckBox);
    checkRow->addWidget(new QLabel(tr("Do not show this dialog again")));
    checkRow->addStretch(1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setSpacing(5);
    buttonRow->addWidget(yes);
    buttonRow->addWidget(no);

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(picture);
    layout->addLayout(buttonRow);
    layout->addLayout(checkRow);
    setLayout(layout);
}

LinkDialog::~LinkDialog() = default;

void LinkDialog::slotGoToLink()
{
    const QString folder = App::theApp()->currentLanguageOptimized();
    accept();
    App::openLink(
        AppConfig::site() + QLatin1Char('/') + folder + QStringLiteral("tutorial/tutorial.htm"));
}

void LinkDialog::slotReject()
{
    reject();
}

void LinkDialog::slotRememberToggled(bool checked)
{
    App::theApp()->setSettingsValue(showDialogKey(), !checked);
}

} // namespace DORuverud
