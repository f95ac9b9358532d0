#include "TellDialog.h"

#include "App.h"
#include "NetworkButtons.h"
#include "TellWidget.h"

#include <QLabel>

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

    NetworkButtons::layOutDialog(this, message, new TellWidget, tr("&Close"));
}

} // namespace DORuverud
