#include "TellWidget.h"

#include "App.h"
#include "NetworkButtons.h"

namespace DORuverud {

TellWidget::TellWidget(QWidget* parent)
    : QFrame(parent)
{
    setLayout(NetworkButtons::createColumn(this,
        {QStringLiteral("FaceBookShareButton"), QStringLiteral("TwitterShareButton"),
            QStringLiteral("VKontakteShareButton"), QStringLiteral("EmailShareButton")},
        {&TellWidget::slotFaceBookClicked, &TellWidget::slotTwitterClicked,
            &TellWidget::slotVKontakteClicked, &TellWidget::slotEmailClicked}));
}

void TellWidget::applyButtonProperties(QPushButton* button, const QString& objectName)
{
    NetworkButtons::applyProperties(button, objectName);
}

void TellWidget::slotFaceBookClicked()
{
    App::openLink(App::theApp()->faceBookShareLink());
}

void TellWidget::slotTwitterClicked()
{
    App::openLink(App::theApp()->twitterShareLink());
}

void TellWidget::slotVKontakteClicked()
{
    App::openLink(App::theApp()->vkontakteShareLink());
}

void TellWidget::slotEmailClicked()
{
    App::theApp()->slotTellFriend();
}

} // namespace DORuverud
