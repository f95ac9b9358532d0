#pragma once

#include "MAudioFormat.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace DIReridArazi {

class NativeAudioRecorderInternal;

// Records sound from the default input into a file. The container follows
// the file name's suffix (WAV, AIFF, CAF); the AAC codecs write an MPEG-4
// audio file. Format and file name take effect at the next start.
// finished() says the recorder is at rest, once each time it comes to rest:
// at every slotStop(), whether a recording ran or not, and when a start
// cannot begin or a recording's file cannot be written. In those two cases,
// and when a stop cannot complete the file, failed(reason) comes first. A
// start that cannot begin leaves no file, and a file at its path as it was;
// a recording that cannot be written keeps what reached its file. GUI thread
// only.
class NativeAudioRecorder : public QObject
{
    Q_OBJECT

public:
    explicit NativeAudioRecorder(QObject* parent = nullptr);

    void setOutputFileName(const QString& name);
    QString outputFileName() const;
    bool isStopped() const;
    // Recorded time in milliseconds, despite the name.
    qint64 processedUSecs() const;
    void setFormat(const MAudioFormat& format);
    MAudioFormat format() const;
    QStringList availableInputDevices() const;
    QString defaultInputDevice() const;
    void setInputDevice(const QString& name);

signals:
    void finished();
    void failed(const QString& reason);

public slots:
    // A start while recording first ends that recording as slotStop() does.
    void slotStart();
    void slotStart(const QString& name);
    // Completes a recording in progress, emitting failed() first when its
    // end could not be written, then emits finished(), also when none ran.
    void slotStop();
    void slotSuspend();
    void slotResume();

private:
    NativeAudioRecorderInternal* m_internal;
    QString m_outputFileName;
    MAudioFormat m_format;
};

} // namespace DIReridArazi
