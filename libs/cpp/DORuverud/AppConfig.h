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

} // namespace DORuverud::AppConfig
