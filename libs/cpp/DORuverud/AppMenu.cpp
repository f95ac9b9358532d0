#include "AppMenu.h"

#include "AboutDialog.h"
#include "App.h"

#include <QPixmap>
#include <QPointer>

namespace DORuverud {

AppMenu::AppMenu(QWidget* parent)
    : QMenu(parent)
{
    App* app = App::theApp();
    if (App::isAppStore())
        addAction(QIcon(QPixmap(QStringLiteral(":/star.png"))), tr("Rate this App"), app,
            &App::slotRateApp);
    addAction(
        QIcon(QPixmap(QStringLiteral(":/share_hover.png"))), tr("Share"), app, &App::slotShareApp);
    addAction(
        QIcon(QPixmap(QStringLiteral(":/join_hover.png"))), tr("Join Us"), app, &App::slotJoin);
    addAction(QIcon(QPixmap(QStringLiteral(":/moreappsicon.png"))), tr("More Apps"), app,
        &App::slotShowMoreApps);
    addAction(QIcon(QPixmap(QStringLiteral(":/feedback.png"))), tr("Contacts Us"), app,
        &App::slotContactUs);
    addAction(QIcon(QPixmap(QStringLiteral(":/webpage.png"))), tr("Support Page"), app,
        &App::slotSupportPage);
    addAction(
        QIcon(QPixmap(QStringLiteral(":/appicon.png"))), tr("About"), this, &AppMenu::slotAbout);
    addSeparator();
    addAction(tr("Quit"), this, &AppMenu::quitPressed);
}

void AppMenu::slotAbout()
{
    // Guarded: the parent may take the dialog with it while exec() runs.
    QPointer<AboutDialog> dialog = new AboutDialog(QApplication::activeWindow());
    dialog->exec();
    delete dialog;
}

} // namespace DORuverud
