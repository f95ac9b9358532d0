#include "AppMenu.h"

#include "AboutDialog.h"
#include "App.h"
#include "AppMenuIconEngine.h"

#include <QPointer>

namespace DORuverud {

AppMenu::AppMenu(QWidget* parent)
    : QMenu(parent)
{
    App* app = App::theApp();
    if (App::isAppStore())
        addAction(
            menuIcon(QStringLiteral(":/star.png")), tr("Rate this App"), app, &App::slotRateApp);
    addAction(menuIcon(QStringLiteral(":/share_hover.png")), tr("Share"), app, &App::slotShareApp);
    addAction(menuIcon(QStringLiteral(":/join_hover.png")), tr("Join Us"), app, &App::slotJoin);
    addAction(menuIcon(QStringLiteral(":/moreappsicon.png")), tr("More Apps"), app,
        &App::slotShowMoreApps);
    addAction(
        menuIcon(QStringLiteral(":/feedback.png")), tr("Contacts Us"), app, &App::slotContactUs);
    addAction(
        menuIcon(QStringLiteral(":/webpage.png")), tr("Support Page"), app, &App::slotSupportPage);
    addAction(menuIcon(QStringLiteral(":/appicon.png")), tr("About"), this, &AppMenu::slotAbout);
    addSeparator();
    addAction(tr("Quit"), this, &AppMenu::quitPressed);
}

QIcon AppMenu::menuIcon(const QString& path)
{
    return QIcon(new AppMenuIconEngine(path));
}

void AppMenu::slotAbout()
{
    // Guarded: the parent may take the dialog with it while exec() runs.
    QPointer<AboutDialog> dialog = new AboutDialog(QApplication::activeWindow());
    dialog->exec();
    delete dialog;
}

} // namespace DORuverud
