#include "ShopLinks.h"

#include "AppConfig.h"

namespace VADirur {

using DORuverud::AppConfig::Storefront;

namespace {

QString storeLink(Storefront storefront, int node)
{
    return QStringLiteral("http://") + DORuverud::AppConfig::storefrontHost(storefront)
        + QLatin1Char('/') + DORuverud::AppConfig::storefrontTag(storefront)
        + QStringLiteral("?_encoding=UTF8&node=") + QString::number(node);
}

QString articleLink(const QString& language, const char* title)
{
    return QStringLiteral("http://") + DORuverud::AppConfig::encyclopediaHost(language)
        + QStringLiteral("/wiki/") + QString::fromUtf8(title);
}

Storefront storefrontOf(QLocale::Country country)
{
    switch (country) {
    case QLocale::Austria:
    case QLocale::Germany:
    case QLocale::Switzerland:
        return Storefront::German;
    case QLocale::Canada:
        return Storefront::Canadian;
    case QLocale::France:
        return Storefront::French;
    case QLocale::UnitedKingdom:
        return Storefront::British;
    default:
        return Storefront::Default;
    }
}

// Index into the table's articles.
int languageOf(Storefront storefront)
{
    if (storefront == Storefront::German)
        return 1;
    return storefront == Storefront::French ? 2 : 0;
}

} // namespace

QStringList ShopLinks::forCountry(const Table& table, QLocale::Country country)
{
    const Storefront storefront = storefrontOf(country);
    const int* nodes = table.nodes[static_cast<int>(storefront)];
    const int* defaults = table.nodes[static_cast<int>(Storefront::Default)];
    QStringList links;
    for (int i = 0; i < 5; ++i)
        links << (nodes[i] == keepDefault ? storeLink(Storefront::Default, defaults[i])
                                          : storeLink(storefront, nodes[i]));
    static const char* const languages[3] = {"en", "de", "fr"};
    const int language = languageOf(storefront);
    return links << articleLink(QLatin1String(languages[language]), table.articles[language]);
}

} // namespace VADirur
