#include "JoinWidget.h"

#include "App.h"
#include "AppConfig.h"
#include "NetworkButtons.h"

#include <QLabel>

namespace DORuverud {

JoinWidget::JoinWidget(QWidget* parent)
    : QFrame(parent)
{
    m_joinPageTemplate
        = AppConfig::site() + QStringLiteral("/apps/appscontrol/index.php?app=%1&social=%2");

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(0);
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->addStretch(0);
    buttonRow->addLayout(NetworkButtons::createColumn(this,
        {QStringLiteral("FaceBookJoinButton"), QStringLiteral("TwitterJoinButton"),
            QStringLiteral("VKontakteJoinButton"), QStringLiteral("EmailJoinButton")},
        {&JoinWidget::slotFaceBookClicked, &JoinWidget::slotTwitterClicked,
            &JoinWidget::slotVKontakteClicked, &JoinWidget::slotEmailClicked}));
    buttonRow->addStretch(0);

    auto* label = new QLabel(promiseText());
    label->setTextFormat(Qt::RichText);

    auto* layout = new QVBoxLayout;
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addLayout(buttonRow);
    setLayout(layout);
}

QString JoinWidget::promiseText()
{
    const bool pocket = App::theApp()->isPocketDevice();
    return QLatin1String(pocket ? "<H5>" : "<H3>") + tr("Join us and stay informed about our")
        + QLatin1String(pocket ? "</H5>" : "</H3>") + QStringLiteral("<H4>")
        + tr("   1. One Day FREE APP Actions<br>") + tr("   2. APP Updates<br>")
        + tr("   3. New APPs<br>") + tr("   4. Important News<br>") + QStringLiteral("</H4>");
}

void JoinWidget::applyButtonProperties(QPushButton* button, const QString& objectName)
{
    NetworkButtons::applyProperties(button, objectName);
}

void JoinWidget::openJoinPage(const QString& network)
{
    const QString address = m_joinPageTemplate.arg(QCoreApplication::applicationName(), network);
    App::openLink(address);
}

void JoinWidget::slotFaceBookClicked()
{
    openJoinPage(QStringLiteral("facebook"));
}

void JoinWidget::slotTwitterClicked()
{
    openJoinPage(QStringLiteral("twitter"));
}

void JoinWidget::slotVKontakteClicked()
{
    openJoinPage(QStringLiteral("vkontakte"));
}

void JoinWidget::slotEmailClicked()
{
    openJoinPage(QStringLiteral("email"));
}

} // namespace DORuverud
