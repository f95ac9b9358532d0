#pragma once

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
    // Category numbers per storefront (default, German, Canadian, French,
    // British) in the order must have, nice to have, read, hear, see, and
    // the article titles of the English, German and French encyclopedia.
    struct Table
    {
        int categories[5][5];
        const char* articles[3];
    };
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
