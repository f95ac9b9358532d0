#include "StartupSequence.h"

#include "App.h"
#include "AppConfig.h"
#include "ChordsMainPage.h"
#include "IntroductionSlides.h"
#include "MainPage.h"

void StartupSequence::prepareProcess()
{
    // Without TZ the C library looks at /etc/localtime again at every local
    // time conversion, and the style sheet's pictures make a thousand of them
    // before the first frame. ":/etc/localtime" names the same zone (Qt reads
    // it as the system zone) and is read once.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
}

void StartupSequence::configure(DORuverud::App& app)
{
    namespace AppConfig = DORuverud::AppConfig;
    // Nothing here draws through OpenGL: windows on plain raster surfaces
    // spare loading and starting a GL driver before the first frame.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    app.setAppId(AppConfig::appStoreId());
    QCoreApplication::setApplicationVersion(QStringLiteral("1.1"));
    QCoreApplication::setOrganizationDomain(AppConfig::organizationDomain());
    app.setResourceOffset(QStringLiteral("libs/cpp/VADirur/"));
    const QString product = AppConfig::site() + QStringLiteral("/apps/tessivar");
    app.setPromotedLink(product + QStringLiteral("/"));
    app.setFaceBookShareLink(product + QStringLiteral("/tessivarfacebook.php"));
    app.setTwitterShareLink(product + QStringLiteral("/tessivartwitter.php"));
    app.setVKontakteShareLink(product + QStringLiteral("/tessivarvkontakte.php"));
    app.setAppSupportPage(product);
}

void StartupSequence::prepareWindow(DORuverud::App& app, MainPage& window)
{
    QObject::connect(&app, &DORuverud::App::dockClicked, &window, &QWidget::showNormal);

    // The first language query installs the translators, after the window is built.
    const QString language = app.currentLanguage();
    app.setIntroductionSlides(IntroductionSlides::paths(app.bundleResourcePath(), language));

    window.setWindowTitle(QCoreApplication::applicationName());
    VADirur::ChordsMainPage::applyStyle();
}

void StartupSequence::showWindow(DORuverud::App& app, MainPage& window)
{
    window.show();
    app.setMainWidget(&window);
    app.callReminder(5, 6);
}
