#include "SettingsStore.h"

#include <QCoreApplication>

namespace ZAruri {

SettingsStore* SettingsStore::application()
{
    return dynamic_cast<SettingsStore*>(QCoreApplication::instance());
}

} // namespace ZAruri
