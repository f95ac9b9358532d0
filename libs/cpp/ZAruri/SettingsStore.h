#pragma once

#include <QString>
#include <QVariant>

namespace ZAruri {

// Where the program keeps its settings by key, for the libraries below the
// one that makes the application object: that object is the store when it
// derives from this class. GUI thread only.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The application object when it keeps settings; null without one, or
    // with an application object of another kind.
    static SettingsStore* application();

    virtual QVariant settingsValue(const QString& key, const QVariant& defaultValue = QVariant())
        = 0;
    virtual void setSettingsValue(const QString& key, const QVariant& value) = 0;
};

} // namespace ZAruri
