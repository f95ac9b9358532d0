#include "MoreMenuLinks.h"

#include "AppConfig.h"

#include <QCoreApplication>
#include <QHash>

namespace VADirur {

namespace {

QString icon(const char* key)
{
    return QStringLiteral("links/") + QLatin1String(key) + QStringLiteral(".png");
}

QString title(const char* text)
{
    return QCoreApplication::translate("VADirur::MoreMenuLinks", text);
}

MoreMenuLinks::Link link(const char* key, const char* text, const QString& path)
{
    return {icon(key), title(text), DORuverud::AppConfig::site() + path};
}

MoreMenuLinks::AppLink app(const char* key, const char* text, const char* name, const char* id)
{
    return {icon(key), title(text), QLatin1String(name), QLatin1String(id)};
}

// The products of the maker, each one entry of a menu.
MoreMenuLinks::AppLink metronome()
{
    return app("metronome", "Pendulo Metronome", "Pendulo", "id604118273");
}

MoreMenuLinks::AppLink tuner()
{
    return app("tuner", "Stringwise Tuner", "Stringwise", "id604118519");
}

MoreMenuLinks::AppLink noteFinder()
{
    return app("notes", "Clefline Note Finder", "Clefline", "id604119034");
}

MoreMenuLinks::AppLink earTrainer()
{
    return app("ear", "Aurelle Ear Trainer", "Aurelle", "id604119377");
}

MoreMenuLinks::AppLink scales()
{
    return app("scales", "Modalia Scales", "Modalia", "id604119682");
}

MoreMenuLinks::AppLink drums()
{
    return app("drums", "Tamboro Drum Loops", "Tamboro", "id604120145");
}

MoreMenuLinks::AppLink songBook()
{
    return app("songbook", "Versello Song Book", "Versello", "id604120588");
}

MoreMenuLinks::AppLink recorder()
{
    return app("recorder", "Takeone Recorder", "Takeone", "id604120903");
}

MoreMenuLinks::AppLink banjoRolls()
{
    return app("banjo", "Rollwerk Banjo Rolls", "Rollwerk", "id604121217");
}

MoreMenuLinks::AppLink balalaikaTunes()
{
    return app("balalaika", "Strunova Balalaika Tunes", "Strunova", "id604121534");
}

MoreMenuLinks::AppLink mandolinTabs()
{
    return app("mandolin", "Tremola Mandolin Tabs", "Tremola", "id604121861");
}

MoreMenuLinks::Link homePage()
{
    return link("home", "Quelmar Home Page", QStringLiteral("/"));
}

MoreMenuLinks::Link lessons(const QString& instrument)
{
    return link("lessons", "Free Video Lessons",
        QStringLiteral("/lessons/") + instrument + QLatin1Char('/'));
}

MoreMenuLinks::Link charts()
{
    return link("charts", "Printable Chord Charts", QStringLiteral("/charts/"));
}

} // namespace

QVector<MoreMenuLinks::Link> MoreMenuLinks::webLinks(const QString& instrument)
{
    if (instrument == QLatin1String("piano"))
        return {homePage(), lessons(instrument), charts()};
    return {homePage(), lessons(instrument)};
}

QVector<MoreMenuLinks::AppLink> MoreMenuLinks::appLinks(const QString& instrument)
{
    if (instrument == QLatin1String("piano"))
        return {noteFinder(), metronome(), earTrainer()};
    if (instrument == QLatin1String("banjo") || instrument == QLatin1String("bass"))
        return {tuner(), metronome(), drums(), scales()};
    return {tuner(), metronome(), songBook(), scales(), recorder()};
}

QVector<QVector<MoreMenuLinks::AppLink>> MoreMenuLinks::tunerAppLinks(const QString& instrument)
{
    QVector<AppLink> common = {metronome(), earTrainer()};
    QVector<AppLink> shared = {scales(), drums(), songBook(), recorder()};
    // A page's own product goes first; one of the shared ones moves there.
    static const QHash<QString, int> sharedOwn = {{QStringLiteral("guitar"), 0},
        {QStringLiteral("bassguitar"), 1}, {QStringLiteral("ukulele"), 2}};
    if (sharedOwn.contains(instrument))
        common.prepend(shared.takeAt(sharedOwn.value(instrument)));
    else if (instrument == QLatin1String("banjo"))
        common.prepend(banjoRolls());
    else if (instrument == QLatin1String("balalaika"))
        common.prepend(balalaikaTunes());
    else if (instrument == QLatin1String("mandolin"))
        common.prepend(mandolinTabs());
    return {common, shared};
}

QStringList MoreMenuLinks::iconNames()
{
    QStringList names;
    for (const char* instrument :
        {"guitar", "balalaika", "ukulele", "banjo", "piano", "mandolin", "bass"}) {
        for (const Link& entry : webLinks(QLatin1String(instrument)))
            names << entry.icon;
        for (const AppLink& entry : appLinks(QLatin1String(instrument)))
            names << entry.icon;
    }
    for (const char* instrument :
        {"guitar", "bassguitar", "ukulele", "banjo", "balalaika", "mandolin", "violin"}) {
        for (const QVector<AppLink>& group : tunerAppLinks(QLatin1String(instrument))) {
            for (const AppLink& entry : group)
                names << entry.icon;
        }
    }
    names.removeDuplicates();
    return names;
}

} // namespace VADirur
