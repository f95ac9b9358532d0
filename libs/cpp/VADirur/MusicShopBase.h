#pragma once

#include "ShopLinks.h"

#include <QObject>
#include <QString>

namespace VADirur {

// The shop and encyclopedia links of one instrument, chosen once by the
// country of the system locale.
class MusicShopBase : public QObject
{
    Q_OBJECT

public:
    explicit MusicShopBase(QObject* parent);

    QString mustHave() const;
    QString niceToHave() const;
    QString read() const;
    QString hear() const;
    QString see() const;
    QString wikipedia() const;

protected:
    using Table = ShopLinks::Table;
    // The links of the system locale's country.
    void setLinks(const Table& table);

private:
    QString m_strMustHave;
    QString m_strNiceToHave;
    QString m_strRead;
    QString m_strHear;
    QString m_strSee;
    QString m_strWikipedia;
};

} // namespace VADirur
