#include "JoinDialog.h"

#include "App.h"
#include "JoinWidget.h"

#include <QBoxLayout>
#include <QPushButton>

namespace DORuverud {

JoinDialog::JoinDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Join us"));
    setObjectName(QStringLiteral("Dialog"));

    auto* close = new QPushButton(tr("&Close"));
    close->setMinimumHeight(32);
    close->setFlat(true);
    close->setObjectName(QStringLiteral("PushButton"));
    connect(close, &QPushButton::clicked, this, &JoinDialog::accept);

    auto* middleRow = new QHBoxLayout;
    middleRow->setSpacing(7);
    middleRow->setContentsMargins(15, 15, 15, 15);
    middleRow->addStretch(1);
    middleRow->addWidget(new JoinWidget);
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
    mainLayout->addLayout(middleRow);
    mainLayout->addLayout(buttonRow);
    setLayout(mainLayout);
}

} // namespace DORuverud
