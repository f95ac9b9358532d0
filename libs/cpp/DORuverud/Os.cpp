#include "Os.h"

#include <QGuiApplication>
#include <QScreen>

Os* Os::s_instance = nullptr;

Os* Os::instance()
{
    if (!s_instance)
        s_instance = new Os();
    return s_instance;
}

Os::Os() : QObject(nullptr)
{
}

Os::~Os()
{
    if (s_instance == this)
        s_instance = nullptr;
}

double Os::scaleFactor()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}
