#include "NetworkButtons.h"

#include "App.h"

#include <QDialog>
#include <QLabel>

namespace DORuverud {

void NetworkButtons::applyProperties(QPushButton* button, const QString& objectName)
{
    button->setFlat(true);
    button->setFixedSize(190, 35);
    button->setObjectName(objectName);
    button->setCheckable(true);
}

void NetworkButtons::hideUnlinked(const QList<QPushButton*>& buttons)
{
    const App* app = App::theApp();
    buttons.at(0)->setVisible(!app->faceBookShareLink().isEmpty());
    buttons.at(1)->setVisible(!app->twitterShareLink().isEmpty());
    buttons.at(2)->setVisible(!app->vkontakteShareLink().isEmpty());
}

QVBoxLayout* NetworkButtons::column(const QList<QPushButton*>& buttons)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->setContentsMargins(10, 10, 10, 10);
    for (QPushButton* button : buttons)
        column->addWidget(button);
    return column;
}

void NetworkButtons::layOutDialog(
    QDialog* dialog, QLabel* message, QWidget* frame, const QString& closeText)
{
    auto* close = new QPushButton(closeText);
    close->setMinimumHeight(32);
    close->setFlat(true);
    close->setObjectName(QStringLiteral("PushButton"));
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);

    auto* middleRow = new QHBoxLayout;
    middleRow->setSpacing(7);
    middleRow->setContentsMargins(15, 15, 15, 15);
    middleRow->addStretch(1);
    middleRow->addWidget(frame);
    middleRow->addStretch(1);

    const bool pocket = App::theApp()->isPocketDevice();
    QBoxLayout* buttonRow = pocket ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
    buttonRow->setContentsMargins(10, 10, 10, 10);
    buttonRow->setSpacing(7);
    buttonRow->addStretch(1);
    buttonRow->addWidget(close);
    buttonRow->addStretch(1);

    auto* mainLayout = new QVBoxLayout;
    mainLayout->setSpacing(7);
    mainLayout->setContentsMargins(10, 10, 10, 10);
    if (message)
        mainLayout->addWidget(message);
    mainLayout->addLayout(middleRow);
    mainLayout->addLayout(buttonRow);
    dialog->setLayout(mainLayout);
}

} // namespace DORuverud
