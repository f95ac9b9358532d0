#include "JoinDialog.h"

#include "JoinWidget.h"
#include "NetworkButtons.h"

namespace DORuverud {

JoinDialog::JoinDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Join us"));
    setObjectName(QStringLiteral("Dialog"));
    NetworkButtons::layOutDialog(this, nullptr, new JoinWidget, tr("&Close"));
}

} // namespace DORuverud
