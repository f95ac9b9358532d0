#include "App_mac.h"

#include "App_Linux.h"

// Never destroyed: the launcher may ask until the process ends.
App_mac* App_mac::instance()
{
    static App_mac* const app = new App_mac;
    return app;
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
