#pragma once

#include "AudioEngine.h"
#include "AudioEngineObserver.h"

#include <QStringList>
#include <QVector>

// The files the engine starts while the log lives, in order, with the
// output frame each began at. GUI thread only.
class SoundStartLog : public DIReridArazi::AudioEngineObserver
{
public:
    SoundStartLog()
    {
        DIReridArazi::AudioEngine::instance()->addObserver(this);
    }
    ~SoundStartLog() override
    {
        DIReridArazi::AudioEngine::instance()->removeObserver(this);
    }
    void voiceStarted(const QString& name, qint64 frame) override
    {
        names << name;
        frames << frame;
    }

    // The names without their folders.
    QStringList fileNames() const
    {
        QStringList files;
        for (const QString& name : names)
            files << name.section(QLatin1Char('/'), -1);
        return files;
    }

    QStringList names;
    QVector<qint64> frames;
};
