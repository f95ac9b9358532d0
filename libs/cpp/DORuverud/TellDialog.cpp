#include "TellDialog.h"

#include "App.h"
#include "TellWidget.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace DORuverud {

TellDialog::TellDialog(QWidget* parent)
    : QDialog(parent)
{
    const QString name = QCoreApplication::applicationName();
    setWindowTitle(QStringLiteral("Share ") + name);
    setObjectName(QStringLiteral("Dialog"));

    const bool pocket = App::theApp()->isPocketDevice();
    auto* message = new QLabel(QStringLiteral("<CENTER>") + QLatin1String(pocket ? "<H4>" : "<H3>")
        + tr("If you like \"") + name + QLatin1Char('"')
        + tr(", <br>please share it with your friends.<br>Thanks!")
        + QLatin1String(pocket ? "</H4>" : "</H3>") + QStringLiteral("</CENTER>"));
    message->setTextFormat(Qt::RichText);

    auto* close = new QPushButton(tr("&Close"));
    close->setMinimumHeight(32);
    close->setFlat(true);
    close->setObjectName(QStringLiteral("PushButton"));
    connect(close, &QPushButton::clicked, this, &TellDialog::accept);

    auto* middleRow = new QHBoxLayout;
    middleRow->setSpacing(7);
    middleRow->setContentsMargins(15, 15, 15, 15);
    middleRow->addStretch(1);
    middleRow->addWidget(new TellWidget);
    middleRow->addStretch(1);

    QBoxLayout* buttonRow = pocket ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
    buttonRow->setContentsMargins(10, 10, 10, 10);
    buttonRow->setSpacing(7);
    buttonRow->addStretch(1);
    buttonRow->addWidget(close);
    buttonRow->addStretch(1);

    auto* mainLayout = new QVBoxLayout;
    mainLayout->setSpacing(7);
    mainLayout->setContentsMargins(10, 10, 10, 10);
    mainLayout->addWidget(message);
    mainLayout->addLayout(middleRow);
    mainLayout->addLayout(buttonRow);
    setLayout(mainLayout);
}

} // namespace DORuverud
