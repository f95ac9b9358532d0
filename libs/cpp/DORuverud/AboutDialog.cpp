#include "AboutDialog.h"

#include "App.h"
#include "AppConfig.h"
#include "Common.h"
#include "DialogPictures.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace DORuverud {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowFlags(
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint);
    setWindowTitle(QCoreApplication::applicationName() + tr(" Info"));

    // The style sheet draws the logo.
    m_logoLabel = new QLabel;
    m_logoLabel->setObjectName(QStringLiteral("LogoLabel"));
    m_logoLabel->setFixedSize(300, 300);
    m_logoLabel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    m_logoLabel->setLineWidth(5);
    m_logoLabel->setAutoFillBackground(true);

    auto* ok = new QPushButton(tr("&Ok"));
    Common::applyPushButtonDetails(ok);
    connect(ok, &QPushButton::clicked, this, &AboutDialog::close);

    auto* text = new QLabel(aboutText());
    text->setStyleSheet(QStringLiteral("background: black;"));
    connect(text, &QLabel::linkActivated, this, &App::openLink);
    text->setFixedHeight(85);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(ok);
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(m_logoLabel);
    layout->addWidget(text);
    layout->addLayout(buttonRow);
    setLayout(layout);
}

QString AboutDialog::aboutText()
{
    const QDate built = App::theApp()->buildDate();
    const QString site = AppConfig::site();
    return QStringLiteral("<BODY BGCOLOR=#000000><FONT COLOR=#00A0E0><CENTER>")
        + QCoreApplication::applicationName() + QStringLiteral(" Build: ")
        + built.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral("<BR>Copyright &copy; ")
        + built.toString(QStringLiteral("yyyy")) + QLatin1Char(' ')
        + QCoreApplication::organizationName() + QStringLiteral(". All rights reserved.")
        + QStringLiteral("<BR><A HREF=\"") + site + QStringLiteral("\"><FONT COLOR=#00A0E0>")
        + QUrl(site).host() + QStringLiteral("</FONT></A><BR><IMG SRC=\"")
        + DialogPictures::resource(DialogPictures::makerLogo()) + QStringLiteral("\"></CENTER>");
}

} // namespace DORuverud
