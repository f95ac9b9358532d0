#pragma once

#include <QLocale>
#include <QStringList>

namespace VADirur {

// The five music-shop links and the encyclopedia article of an instrument
// for a country: the default set at the United States shop in English,
// overridden for the German-speaking countries, Canada, France and the
// United Kingdom.
class ShopLinks
{
public:
    ShopLinks() = delete;

    // A node that keeps the default set's address of its link.
    static const int keepDefault = 0;

    // Shop nodes per storefront (default, German, Canadian, French,
    // British) in the order must have, nice to have, read, hear, see, and
    // the article titles of the English, German and French encyclopedia.
    struct Table
    {
        int nodes[5][5];
        const char* articles[3];
    };

    // Must have, nice to have, read, hear, see and the article, in this order.
    static QStringList forCountry(const Table& table, QLocale::Country country);
};

} // namespace VADirur
