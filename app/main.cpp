#include "App.h"
#include "MainPage.h"
#include "StartupSequence.h"

int main(int argc, char** argv)
{
    StartupSequence::prepareProcess();
    DORuverud::App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("Tessivar"));
    StartupSequence::configure(app);
    MainPage window(nullptr);
    StartupSequence::prepareWindow(app, window);
    StartupSequence::showWindow(app, window);
    return app.exec();
}
