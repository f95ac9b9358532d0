#pragma once

#include "MAudioFormat.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace DIReridArazi {

class NativeAudioRecorderInternal;

// Records sound from the default input into a file. The container follows
// the file name's suffix (WAV, AIFF, CAF); the AAC codecs write an MPEG-4
// audio file. Format and file name take effect at the next start. A
// recording that slotStop() ends sends finished(); one that cannot start, or
// whose file cannot be written, stops and sends failed() with the reason
// instead (the file then keeps what was written before). GUI thread only.
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
    // Completes the recording and emits finished(), or failed() when its end
    // could not be written; does nothing when no recording runs.
    void slotStop();
    void slotSuspend();
    void slotResume();

private:
    NativeAudioRecorderInternal* m_internal;
    QString m_outputFileName;
    MAudioFormat m_format;
};

} // namespace DIReridArazi
