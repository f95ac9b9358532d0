#include "MusicShopBase.h"

#include <QLocale>

namespace VADirur {

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

void MusicShopBase::setLinks(const Table& table)
{
    const QStringList links = ShopLinks::forCountry(table, QLocale::system().country());
    m_strMustHave = links[0];
    m_strNiceToHave = links[1];
    m_strRead = links[2];
    m_strHear = links[3];
    m_strSee = links[4];
    m_strWikipedia = links[5];
}

} // namespace VADirur
