#include "App_mac.h"

#include "App_Linux.h"

App_mac* App_mac::s_pinstance = nullptr;

App_mac* App_mac::instance()
{
    if (!s_pinstance)
        s_pinstance = new App_mac();
    return s_pinstance;
}

App_mac::App_mac(QObject* parent)
    : QObject(parent)
{
    new App_Linux(this);
}

void App_mac::emitClick()
{
    emit dockClicked();
}
