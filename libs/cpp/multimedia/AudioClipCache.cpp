#include "AudioClipCache.h"

#include <QFileInfo>

namespace DIReridArazi {

AudioClipCache::AudioClipCache(qint64 budgetBytes)
    : m_budgetBytes(budgetBytes)
{
}

std::shared_ptr<const AudioClip> AudioClipCache::clip(const QString& path)
{
    const QFileInfo info(path);
    auto it = m_entries.find(path);
    if (it != m_entries.end()) {
        if (info.exists() && it->modified == info.lastModified() && it->size == info.size()) {
            it->lastUse = ++m_useCounter;
            return it->clip;
        }
        m_bytes -= it->clip->bytes();
        m_entries.erase(it);
    }
    std::shared_ptr<const AudioClip> clip = AudioClip::decode(path);
    if (!clip)
        return nullptr;
    m_entries.insert(path, Entry {clip, info.lastModified(), info.size(), ++m_useCounter});
    m_bytes += clip->bytes();
    trim();
    return clip;
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
