#include "JoinWidget.h"

#include "App.h"
#include "AppConfig.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

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
    buttonRow->addLayout(createButtonColumn());
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

QLayout* JoinWidget::createButtonColumn()
{
    auto* faceBook = new QPushButton;
    auto* twitter = new QPushButton;
    auto* vkontakte = new QPushButton;
    auto* email = new QPushButton;
    applyButtonProperties(faceBook, QStringLiteral("FaceBookJoinButton"));
    applyButtonProperties(twitter, QStringLiteral("TwitterJoinButton"));
    applyButtonProperties(vkontakte, QStringLiteral("VKontakteJoinButton"));
    applyButtonProperties(email, QStringLiteral("EmailJoinButton"));

    const App* app = App::theApp();
    faceBook->setVisible(!app->faceBookShareLink().isEmpty());
    twitter->setVisible(!app->twitterShareLink().isEmpty());
    vkontakte->setVisible(!app->vkontakteShareLink().isEmpty());

    connect(faceBook, &QPushButton::clicked, this, &JoinWidget::slotFaceBookClicked);
    connect(twitter, &QPushButton::clicked, this, &JoinWidget::slotTwitterClicked);
    connect(vkontakte, &QPushButton::clicked, this, &JoinWidget::slotVKontakteClicked);
    connect(email, &QPushButton::clicked, this, &JoinWidget::slotEmailClicked);

    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->setContentsMargins(10, 10, 10, 10);
    for (QPushButton* button : {faceBook, twitter, vkontakte, email})
        column->addWidget(button);
    return column;
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
    button->setFlat(true);
    button->setFixedSize(190, 35);
    button->setObjectName(objectName);
    button->setCheckable(true);
}

void JoinWidget::openJoinPage(const QString& network)
{
    const QString address = m_joinPageTemplate.arg(QCoreApplication::applicationName(), network);
    QDesktopServices::openUrl(QUrl(address));
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
