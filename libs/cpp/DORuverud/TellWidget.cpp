#include "TellWidget.h"

#include "App.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace DORuverud {

TellWidget::TellWidget(QWidget* parent)
    : QFrame(parent)
{
    auto* faceBook = new QPushButton;
    auto* twitter = new QPushButton;
    auto* vkontakte = new QPushButton;
    auto* email = new QPushButton;
    applyButtonProperties(faceBook, QStringLiteral("FaceBookShareButton"));
    applyButtonProperties(twitter, QStringLiteral("TwitterShareButton"));
    applyButtonProperties(vkontakte, QStringLiteral("VKontakteShareButton"));
    applyButtonProperties(email, QStringLiteral("EmailShareButton"));

    const App* app = App::theApp();
    faceBook->setVisible(!app->faceBookShareLink().isEmpty());
    twitter->setVisible(!app->twitterShareLink().isEmpty());
    vkontakte->setVisible(!app->vkontakteShareLink().isEmpty());

    connect(faceBook, &QPushButton::clicked, this, &TellWidget::slotFaceBookClicked);
    connect(twitter, &QPushButton::clicked, this, &TellWidget::slotTwitterClicked);
    connect(vkontakte, &QPushButton::clicked, this, &TellWidget::slotVKontakteClicked);
    connect(email, &QPushButton::clicked, this, &TellWidget::slotEmailClicked);

    auto* layout = new QVBoxLayout;
    layout->setSpacing(6);
    layout->setContentsMargins(10, 10, 10, 10);
    for (QPushButton* button : {faceBook, twitter, vkontakte, email})
        layout->addWidget(button);
    setLayout(layout);
}

void TellWidget::applyButtonProperties(QPushButton* button, const QString& objectName)
{
    button->setFlat(true);
    button->setFixedSize(190, 35);
    button->setObjectName(objectName);
    button->setCheckable(true);
}

void TellWidget::slotFaceBookClicked()
{
    QDesktopServices::openUrl(QUrl(App::theApp()->faceBookShareLink()));
}

void TellWidget::slotTwitterClicked()
{
    QDesktopServices::openUrl(QUrl(App::theApp()->twitterShareLink()));
}

void TellWidget::slotVKontakteClicked()
{
    QDesktopServices::openUrl(QUrl(App::theApp()->vkontakteShareLink()));
}

void TellWidget::slotEmailClicked()
{
    App::theApp()->slotTellFriend();
}

} // namespace DORuverud
