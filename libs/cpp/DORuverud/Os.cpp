#include "Os.h"

#include "Os_Linux.h"

#include <QWidget>

// Never destroyed: the bus services answer until the process ends.
Os* Os::instance()
{
    static Os* const os = new Os;
    return os;
}

Os::Os()
    : QObject(nullptr)
{
    Os_Linux::initNotifications(this);
}

double Os::scaleFactor()
{
    return Os_Linux::scaleFactor();
}

bool Os::openFolderAndSelectFile(const QString& path)
{
    return Os_Linux::openFolderAndSelectFile(path);
}

void Os::setAppIconNumber(int n)
{
    Os_Linux::setAppIconNumber(n);
}

void Os::unsetAppIconNumber()
{
    Os_Linux::unsetAppIconNumber();
}

bool Os::isAutorunAtLogon()
{
    return Os_Linux::isAutorunAtLogon();
}

QString Os::changeAutorunAtLogon(bool on)
{
    return Os_Linux::changeAutorunAtLogon(on);
}

void Os::hideWindowFromTaskBar(QWidget* widget)
{
    if (widget)
        widget->setWindowFlags(widget->windowFlags() | Qt::Window);
}

QString Os::nativeLibraryName(const QString& name)
{
    return QStringLiteral("lib") + name + QStringLiteral(".so");
}

void Os::setDisableSleepMode(bool on)
{
    Q_UNUSED(on)
}
