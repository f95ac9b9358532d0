#pragma once

#include "AudioEngineObserver.h"

#include <QString>
#include <QStringList>

// Sound files and a record of the sounds the engine started, for the
// player tests. GUI thread only.
class VoiceLog : public DIReridArazi::AudioEngineObserver
{
public:
    VoiceLog();
    ~VoiceLog() override;

    // Writes a quiet mono tone of the given length as 16-bit WAV.
    static bool writeTone(const QString& path, int milliseconds);

    void voiceStarted(const QString& name, qint64 frame) override;

    QStringList started() const;
    int count(const QString& name) const;

private:
    QStringList m_started;
};
