#pragma once

#include "MAudioFormat.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace DIReridArazi {

class PlatformAudioRecorder;

// The platform back end of NativeAudioRecorder. Records from the default
// input. It sends finished() each time it comes to rest: at every
// slotStop(), and when a start cannot begin or a recording cannot be
// written, after failed(reason). GUI thread only.
class NativeAudioRecorderInternal : public QObject
{
    Q_OBJECT

public:
    explicit NativeAudioRecorderInternal(QObject* parent);
    // Stops a recording in progress, so its file is complete; no signal.
    ~NativeAudioRecorderInternal() override;

    bool isStopped() const;
    // Recorded time in milliseconds.
    qint64 processedUSecs() const;
    void setFormat(const MAudioFormat& format);
    // Exactly one entry: the default input's name, empty when there is none.
    QStringList availableInputDevices() const;
    QString defaultInputDevice() const;
    // Recording always uses the default input.
    void setInputDevice(const QString& name);

signals:
    void finished();
    void failed(const QString& reason);

public slots:
    // Ends a recording in progress first, as slotStop() does.
    void slotStart(const QString& path);
    void slotStop();
    void slotSuspend();
    void slotResume();

private:
    // Stopped: failed(failure) unless it is null, then finished().
    void comeToRest(const QString& failure);

    PlatformAudioRecorder* m_recorder;
    bool m_stopped = true;
    MAudioFormat m_format;
};

} // namespace DIReridArazi
