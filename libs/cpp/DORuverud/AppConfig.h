#pragma once

#include <QCoreApplication>
#include <QString>

// Values of the maker that the program links to. The maker's hosts sit on
// the reserved example domain.
namespace DORuverud::AppConfig {

inline QString site()
{
    return QStringLiteral("http://quelmar.example");
}

inline QString organizationDomain()
{
    return QStringLiteral("quelmar.example");
}

// The application store's web host.
inline QString storeHost()
{
    return QStringLiteral("https://store.example");
}

inline QString contactEmail()
{
    return QStringLiteral("contact@quelmar.example");
}

// The maker's artist name and identifier in the store.
inline QString storeArtistName()
{
    return QStringLiteral("quelmar");
}

inline QString storeArtistId()
{
    return QStringLiteral("id418203657");
}

// This program's identifier in the store.
inline QString appStoreId()
{
    return QStringLiteral("id735204196");
}

// The program's D-Bus name, which is also the id of its desktop file.
inline QString desktopId()
{
    return QStringLiteral("example.quelmar.") + QCoreApplication::applicationName();
}

// The page the update check reads.
inline QString updatesCheckLink()
{
    return site() + QStringLiteral("/updates.htm");
}

// The page that offers the newest build.
inline QString updatesPage()
{
    return site() + QStringLiteral("/updates/");
}

// Host of the page-translation service behind translated web pages.
inline QString translationHost()
{
    return QStringLiteral("translate.quelmar.example");
}

// The store page of an application: only the name is lower-cased.
inline QString appStorePage(const QString& appName, const QString& appId)
{
    return storeHost() + QStringLiteral("/app/") + appName.toLower() + QLatin1Char('/') + appId
        + QStringLiteral("?ls=1&mt=12");
}

// The music shop's storefronts, each a host and a tag naming it.
enum class Storefront { Default, German, Canadian, French, British };

inline QString storefrontHost(Storefront storefront)
{
    switch (storefront) {
    case Storefront::German:
        return QStringLiteral("de.musicshop.example");
    case Storefront::Canadian:
        return QStringLiteral("ca.musicshop.example");
    case Storefront::French:
        return QStringLiteral("fr.musicshop.example");
    case Storefront::British:
        return QStringLiteral("uk.musicshop.example");
    case Storefront::Default:
        break;
    }
    return QStringLiteral("www.musicshop.example");
}

inline QString storefrontTag(Storefront storefront)
{
    switch (storefront) {
    case Storefront::German:
        return QStringLiteral("quelmar-de");
    case Storefront::Canadian:
        return QStringLiteral("quelmar-ca");
    case Storefront::French:
        return QStringLiteral("quelmar-fr");
    case Storefront::British:
        return QStringLiteral("quelmar-uk");
    case Storefront::Default:
        break;
    }
    return QStringLiteral("quelmar-us");
}

// The host of the encyclopedia's edition in a language ("en", "de", "fr").
inline QString encyclopediaHost(const QString& language)
{
    return language + QStringLiteral(".encyclopedia.example");
}

} // namespace DORuverud::AppConfig
