#pragma once

#include "AudioClip.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>

namespace DIReridArazi {

// Decoded files by path, so that a sample played again costs no disk or
// decode work. A file changed on disk since it was decoded is decoded
// again. The least recently used entries go when the cache outgrows its
// budget; a clip still playing lives on in its voices. GUI thread only.
class AudioClipCache
{
public:
    explicit AudioClipCache(qint64 budgetBytes);

    // The decoded file when the cache holds it and it is still current.
    std::shared_ptr<AudioClip> find(const QString& path);
    void insert(const QString& path, std::shared_ptr<AudioClip> clip);
    // The bytes of samples held.
    qint64 bytes() const
    {
        return m_bytes;
    }

private:
    struct Entry
    {
        std::shared_ptr<AudioClip> clip;
        QDateTime modified;
        qint64 size = 0;
        quint64 lastUse = 0;
    };

    void trim();

    qint64 m_budgetBytes;
    QHash<QString, Entry> m_entries;
    qint64 m_bytes = 0;
    quint64 m_useCounter = 0;
};

} // namespace DIReridArazi
