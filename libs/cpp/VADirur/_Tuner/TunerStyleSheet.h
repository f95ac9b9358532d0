#pragma once

#include <QString>

namespace VADirur {

// The tuner's whole look, installed on the application by the tuner main
// page as it is: no placeholders. Widgets are addressed by object name.
extern const QString strStyle;

} // namespace VADirur
