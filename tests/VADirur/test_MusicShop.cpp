#include "App.h"
#include "BalalaikaShop.h"
#include "BanjoShop.h"
#include "BassShop.h"
#include "ChordFiles.h"
#include "GuitarShop.h"
#include "MandolinShop.h"
#include "PianoChordsMainPage.h"
#include "PianoShop.h"
#include "PromoMenuBar.h"
#include "UkuleleChordsMainPage.h"
#include "UkuleleShop.h"

#include <QDesktopServices>
#include <QMenu>
#include <QProcess>
#include <QtTest>
#include <cstdio>
#include <memory>

using namespace VADirur;

namespace {

// Catches the URLs handed to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    }
    ~UrlCatcher() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url)
    {
        urls << url;
    }
};

std::unique_ptr<MusicShopBase> makeShop(const QString& name)
{
    if (name == QLatin1String("ukulele"))
        return std::make_unique<UkuleleShop>(nullptr);
    if (name == QLatin1String("guitar"))
        return std::make_unique<GuitarShop>(nullptr);
    if (name == QLatin1String("banjo"))
        return std::make_unique<BanjoShop>(nullptr);
    if (name == QLatin1String("bass"))
        return std::make_unique<BassShop>(nullptr);
    if (name == QLatin1String("balalaika"))
        return std::make_unique<BalalaikaShop>(nullptr);
    if (name == QLatin1String("mandolin"))
        return std::make_unique<MandolinShop>(nullptr);
    return std::make_unique<PianoShop>(nullptr);
}

// The child process: prints the six links of one shop under its locale.
int printLinks(const char* shopName)
{
    const std::unique_ptr<MusicShopBase> shop = makeShop(QString::fromLatin1(shopName));
    for (const QString& link : {shop->mustHave(), shop->niceToHave(), shop->read(), shop->hear(),
             shop->see(), shop->wikipedia()})
        std::printf("%s\n", link.toUtf8().constData());
    return 0;
}

QString store(const QString& host, const QString& tag, int category)
{
    return QStringLiteral("http://%1/%2?_encoding=UTF8&node=%3").arg(host, tag).arg(category);
}

QStringList storeLinks(const QString& storefront, const QVector<int>& categories)
{
    const QString host = storefront == QLatin1String("us")
        ? QStringLiteral("www.musicshop.example")
        : storefront + QStringLiteral(".musicshop.example");
    QStringList links;
    for (int category : categories)
        links << store(host, QStringLiteral("quelmar-") + storefront, category);
    return links;
}

QString article(const QString& language, const QString& title)
{
    return QStringLiteral("http://%1.encyclopedia.example/wiki/%2").arg(language, title);
}

} // namespace

class TestMusicShop : public QObject
{
    Q_OBJECT

private slots:
    void linksFollowTheCountry_data();
    void linksFollowTheCountry();
    void moreMenuHoldsLinksThenShop();
    void shopEntriesOpenTheirLinks();
};

void TestMusicShop::linksFollowTheCountry_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shop");
    QTest::addColumn<QStringList>("links");
    QTest::newRow("piano in Austria")
        << "de_AT.UTF-8"
        << "piano"
        << storeLinks("de", {63, 64, 65, 66, 67}) + QStringList(article("de", "Klavier"));
    QTest::newRow("piano in German Switzerland")
        << "de_CH.UTF-8"
        << "piano"
        << storeLinks("de", {63, 64, 65, 66, 67}) + QStringList(article("de", "Klavier"));
    QTest::newRow("French speakers in Switzerland get the German set")
        << "fr_CH.UTF-8"
        << "guitar" << storeLinks("de", {8, 9, 10, 12, 13}) + QStringList(article("de", "Gitarre"));
    QTest::newRow("balalaika in Germany lists read 33 before hear 32")
        << "de_DE.UTF-8"
        << "balalaika"
        << storeLinks("de", {30, 31, 33, 32, 34}) + QStringList(article("de", "Balalaika"));
    QTest::newRow("French in Canada: Canadian store, English article")
        << "fr_CA.UTF-8"
        << "bass"
        << storeLinks("ca", {16, 17, 18, 19, 20}) + QStringList(article("en", "Bass_guitar"));
    QTest::newRow("United Kingdom: its store, English article")
        << "en_GB.UTF-8"
        << "mandolin"
        << storeLinks("uk", {11, 13, 14, 15, 16}) + QStringList(article("en", "Mandolin"));
    QTest::newRow("France: French store and article") << "fr_FR.UTF-8"
                                                      << "ukulele"
                                                      << storeLinks("fr", {31, 32, 33, 34, 36})
            + QStringList(article("fr", QStringLiteral("Ukul\u00e9l\u00e9")));
    QTest::newRow("United States: the default set")
        << "en_US.UTF-8"
        << "banjo" << storeLinks("us", {50, 51, 52, 53, 54}) + QStringList(article("en", "Banjo"));
    QTest::newRow("any other country: the default set")
        << "ja_JP.UTF-8"
        << "ukulele"
        << storeLinks("us", {35, 36, 37, 38, 39}) + QStringList(article("en", "Ukulele"));
}

void TestMusicShop::linksFollowTheCountry()
{
    QFETCH(QString, locale);
    QFETCH(QString, shop);
    QFETCH(QStringList, links);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--links"), shop});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(
        QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), links);
}

void TestMusicShop::moreMenuHoldsLinksThenShop()
{
    // GIVEN a page whose owner added two link entries
    PianoChordsMainPage page(nullptr);
    page.promoMenuBar()->addMenuLink(
        QPixmap(), QStringLiteral("Notes"), QStringLiteral("http://quelmar.example/notes"));
    page.promoMenuBar()->addMenuAppLink(
        QPixmap(), QStringLiteral("Tuner"), QStringLiteral("Quelmar Tuner"), QStringLiteral("id1"));
    // WHEN it adds its shop
    page.addShopMenu();
    // THEN the shop entries follow the links
    QStringList entries;
    for (QAction* action : page.promoMenuBar()->shopMenu()->actions())
        entries << (action->isSeparator() ? QStringLiteral("|") : action->text());
    QCOMPARE(entries,
        QStringList({"Notes", "Tuner", "|", "Must Have", "Nice to Have", "Read", "Hear", "See", "|",
            "Wikipedia"}));
}

void TestMusicShop::shopEntriesOpenTheirLinks()
{
    UkuleleChordsMainPage page(nullptr);
    page.addShopMenu();
    UrlCatcher catcher;
    const QList<QAction*> actions = page.promoMenuBar()->shopMenu()->actions();
    for (QAction* action : actions)
        action->trigger();
    QStringList opened;
    for (const QUrl& url : catcher.urls)
        opened << url.toString();
    // The test runs with LC_ALL=C: no country, the default set.
    QCOMPARE(
        opened, storeLinks("us", {35, 36, 37, 38, 39}) + QStringList(article("en", "Ukulele")));
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--links") == 0)
        return printLinks(argv[2]);
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    app.setResourceOffset(ChordFiles::resourcePrefix());
    TestMusicShop test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_MusicShop.moc"
