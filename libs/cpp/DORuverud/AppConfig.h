#pragma once

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

} // namespace DORuverud::AppConfig
