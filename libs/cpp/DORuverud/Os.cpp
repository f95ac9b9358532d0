#include "Os.h"

#include "Os_Linux.h"

#include <QWidget>

Os* Os::s_instance = nullptr;

Os* Os::instance()
{
    if (!s_instance)
        s_instance = new Os();
    return s_instance;
}

Os::Os()
    : QObject(nullptr)
{
    Os_Linux::initNotifications(this);
}

Os::~Os()
{
    if (s_instance == this)
        s_instance = nullptr;
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

void Os::changeAutorunAtLogon(bool on)
{
    Os_Linux::changeAutorunAtLogon(on);
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
