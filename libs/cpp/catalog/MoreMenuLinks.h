#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace VADirur {

// The maker's other products that each chord page's "More" menu lists
// above its shop entries.
class MoreMenuLinks
{
public:
    MoreMenuLinks() = delete;

    struct Link
    {
        QString icon; // resource path after ":/"
        QString title;
        QString address;
    };

    struct AppLink
    {
        QString icon; // resource path after ":/"
        QString title;
        QString appName;
        QString appId;
    };

    // Instrument is the page's instrument name: "guitar", "balalaika",
    // "ukulele", "banjo", "piano", "mandolin" or "bass".
    static QVector<Link> webLinks(const QString& instrument);
    static QVector<AppLink> appLinks(const QString& instrument);
    // The two groups of product entries of a tuner page's "More" menu; the
    // instrument is the page's: "violin", "doublebass", "bassguitar"...
    static QVector<QVector<AppLink>> tunerAppLinks(const QString& instrument);

    // Every icon the entries of all chord and tuner pages name.
    static QStringList iconNames();
};

} // namespace VADirur
