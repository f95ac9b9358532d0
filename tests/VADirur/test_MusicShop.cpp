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

// The five store links of a storefront, then the encyclopedia article.
QStringList links(const QString& storefront, const QVector<int>& categories,
    const QString& language, const QString& title)
{
    const QString host = storefront == QLatin1String("us") ? QStringLiteral("www") : storefront;
    QStringList result;
    for (int category : categories)
        result << QStringLiteral("http://%1.musicshop.example/quelmar-%2?_encoding=UTF8&node=%3")
                      .arg(host, storefront)
                      .arg(category);
    return result << QStringLiteral("http://%1.encyclopedia.example/wiki/%2").arg(language, title);
}

} // namespace

class TestMusicShop : public QObject
{
    Q_OBJECT

public slots:
    // Catches the URLs handed to the desktop.
    void open(const QUrl& url)
    {
        m_opened << url.toString();
    }

private slots:
    void linksFollowTheCountry_data();
    void linksFollowTheCountry();
    void moreMenuHoldsLinksThenShop();
    void shopEntriesOpenTheirLinks();

private:
    QStringList m_opened;
};

void TestMusicShop::linksFollowTheCountry_data()
{
    QTest::addColumn<QString>("shop");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QString>("locale");
    QTest::newRow("piano in Austria")
        << "piano" << links("de", {63, 64, 65, 66, 67}, "de", "Klavier") << "de_AT.UTF-8";
    QTest::newRow("French speakers in Switzerland get the German set")
        << "guitar" << links("de", {8, 9, 10, 12, 13}, "de", "Gitarre") << "fr_CH.UTF-8";
    QTest::newRow("balalaika in Germany lists read 33 before hear 32")
        << "balalaika" << links("de", {30, 31, 33, 32, 34}, "de", "Balalaika") << "de_DE.UTF-8";
    QTest::newRow("French in Canada: Canadian store, English article")
        << "bass" << links("ca", {16, 17, 18, 19, 20}, "en", "Bass_guitar") << "fr_CA.UTF-8";
    QTest::newRow("United Kingdom: its store, English article")
        << "mandolin" << links("uk", {11, 13, 14, 15, 16}, "en", "Mandolin") << "en_GB.UTF-8";
    QTest::newRow("France: French store and article")
        << "ukulele" << links("fr", {31, 32, 33, 34, 36}, "fr", QStringLiteral("Ukul\u00e9l\u00e9"))
        << "fr_FR.UTF-8";
    QTest::newRow("United States: the default set")
        << "banjo" << links("us", {50, 51, 52, 53, 54}, "en", "Banjo") << "en_US.UTF-8";
    QTest::newRow("any other country: the default set")
        << "ukulele" << links("us", {35, 36, 37, 38, 39}, "en", "Ukulele") << "ja_JP.UTF-8";
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
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
    for (QAction* action : page.promoMenuBar()->shopMenu()->actions())
        action->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    // The test runs with LC_ALL=C: no country, the default set.
    QCOMPARE(m_opened, links("us", {35, 36, 37, 38, 39}, "en", "Ukulele"));
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
