#include "MusicShopBase.h"

#include "AppConfig.h"

#include <QLocale>

namespace VADirur {

using DORuverud::AppConfig::Storefront;

MusicShopBase::MusicShopBase(QObject* parent)
    : QObject(parent)
{
}

QString MusicShopBase::mustHave() const
{
    return m_strMustHave;
}

QString MusicShopBase::niceToHave() const
{
    return m_strNiceToHave;
}

QString MusicShopBase::read() const
{
    return m_strRead;
}

QString MusicShopBase::hear() const
{
    return m_strHear;
}

QString MusicShopBase::see() const
{
    return m_strSee;
}

QString MusicShopBase::wikipedia() const
{
    return m_strWikipedia;
}

static QString storeLink(Storefront storefront, int category)
{
    return QStringLiteral("http://") + DORuverud::AppConfig::storefrontHost(storefront)
        + QLatin1Char('/') + DORuverud::AppConfig::storefrontTag(storefront)
        + QStringLiteral("?_encoding=UTF8&node=") + QString::number(category);
}

static QString articleLink(const QString& language, const char* title)
{
    return QStringLiteral("http://") + DORuverud::AppConfig::encyclopediaHost(language)
        + QStringLiteral("/wiki/") + QString::fromUtf8(title);
}

void MusicShopBase::setLinks(const Table& table)
{
    const QLocale::Country country = QLocale::system().country();
    Storefront storefront = Storefront::Default;
    int article = 0;
    if (country == QLocale::Austria || country == QLocale::Germany
        || country == QLocale::Switzerland) {
        storefront = Storefront::German;
        article = 1;
    } else if (country == QLocale::Canada) {
        storefront = Storefront::Canadian;
    } else if (country == QLocale::France) {
        storefront = Storefront::French;
        article = 2;
    } else if (country == QLocale::UnitedKingdom) {
        storefront = Storefront::British;
    }
    const int* categories = table.categories[static_cast<int>(storefront)];
    m_strMustHave = storeLink(storefront, categories[0]);
    m_strNiceToHave = storeLink(storefront, categories[1]);
    m_strRead = storeLink(storefront, categories[2]);
    m_strHear = storeLink(storefront, categories[3]);
    m_strSee = storeLink(storefront, categories[4]);
    static const char* const languages[3] = {"en", "de", "fr"};
    m_strWikipedia = articleLink(QLatin1String(languages[article]), table.articles[article]);
}

} // namespace VADirur
