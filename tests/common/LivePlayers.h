#pragma once

#include "NativeAudioPlayer.h"

#include <QMutex>
#include <QSet>

// Qt's object hooks (the table debuggers use) let the test count players.
QT_BEGIN_NAMESPACE
extern quintptr Q_CORE_EXPORT qtHookData[];
QT_END_NAMESPACE

// Counts the sound players alive. install() once, before the first player.
namespace LivePlayers {

// Never freed: objects still go after main() has returned.
inline QMutex& mutex()
{
    static auto* objectsMutex = new QMutex;
    return *objectsMutex;
}

// The live objects' addresses, each kept inverted: the leak check of a
// sanitizer build then does not take the set for a reference to them.
inline QSet<quintptr>& objects()
{
    static auto* live = new QSet<quintptr>;
    return *live;
}

inline quintptr key(QObject* object)
{
    return ~reinterpret_cast<quintptr>(object);
}

inline void objectAdded(QObject* object)
{
    QMutexLocker lock(&mutex());
    objects().insert(key(object));
}

inline void objectRemoved(QObject* object)
{
    QMutexLocker lock(&mutex());
    objects().remove(key(object));
}

inline void install()
{
    const int addObjectHook = 3;
    const int removeObjectHook = 4;
    qtHookData[addObjectHook] = reinterpret_cast<quintptr>(&objectAdded);
    qtHookData[removeObjectHook] = reinterpret_cast<quintptr>(&objectRemoved);
}

inline int count()
{
    QMutexLocker lock(&mutex());
    int players = 0;
    for (quintptr inverted : qAsConst(objects())) {
        auto* object = reinterpret_cast<QObject*>(~inverted);
        players += qobject_cast<DIReridArazi::NativeAudioPlayer*>(object) ? 1 : 0;
    }
    return players;
}

} // namespace LivePlayers
