#include "AudioClipCache.h"

#include <QFileInfo>

namespace DIReridArazi {

AudioClipCache::AudioClipCache(qint64 budgetBytes)
    : m_budgetBytes(budgetBytes)
{
}

std::shared_ptr<AudioClip> AudioClipCache::find(const QString& path)
{
    auto it = m_entries.find(path);
    if (it == m_entries.end())
        return nullptr;
    const QFileInfo info(path);
    if (info.exists() && it->modified == info.lastModified() && it->size == info.size()) {
        it->lastUse = ++m_useCounter;
        return it->clip;
    }
    m_bytes -= it->clip->bytes();
    m_entries.erase(it);
    return nullptr;
}

void AudioClipCache::insert(const QString& path, std::shared_ptr<AudioClip> clip)
{
    if (!clip)
        return;
    const QFileInfo info(path);
    auto old = m_entries.constFind(path);
    if (old != m_entries.cend())
        m_bytes -= old->clip->bytes();
    m_bytes += clip->bytes();
    m_entries.insert(
        path, Entry {std::move(clip), info.lastModified(), info.size(), ++m_useCounter});
    trim();
}

void AudioClipCache::trim()
{
    while (m_bytes > m_budgetBytes && m_entries.size() > 1) {
        auto oldest = m_entries.begin();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->lastUse < oldest->lastUse)
                oldest = it;
        }
        m_bytes -= oldest->clip->bytes();
        m_entries.erase(oldest);
    }
}

} // namespace DIReridArazi
