#include "NativeAudioRecorderInternal.h"

#include "PlatformAudioRecorder.h"
#include "RecorderSettings.h"
#include "SdlCaptureSource.h"

#include <cmath>

namespace DIReridArazi {

NativeAudioRecorderInternal::NativeAudioRecorderInternal(QObject* parent)
    : QObject(parent)
    , m_recorder(new PlatformAudioRecorder(this))
{
    connect(m_recorder, &PlatformAudioRecorder::failed, this, [this](const QString& reason) {
        m_stopped = true;
        emit failed(reason);
    });
}

NativeAudioRecorderInternal::~NativeAudioRecorderInternal()
{
    m_recorder->stop();
}

bool NativeAudioRecorderInternal::isStopped() const
{
    return m_stopped;
}

qint64 NativeAudioRecorderInternal::processedUSecs() const
{
    return std::llround(float(m_recorder->currentTime() * 1000.0));
}

void NativeAudioRecorderInternal::setFormat(const MAudioFormat& format)
{
    m_format = format;
}

QStringList NativeAudioRecorderInternal::availableInputDevices() const
{
    return {defaultInputDevice()};
}

QString NativeAudioRecorderInternal::defaultInputDevice() const
{
    return SdlCaptureSource::defaultDeviceName();
}

void NativeAudioRecorderInternal::setInputDevice(const QString&) { }

void NativeAudioRecorderInternal::slotStart(const QString& path)
{
    // The recording in progress ends as a stop ends it, so its end is reported.
    slotStop();
    m_recorder->initWithPath(path, recorderSettings(m_format));
    m_stopped = !m_recorder->record();
    if (!m_stopped)
        return;
    const QString reason = m_recorder->errorString();
    m_recorder->stop();
    emit failed(reason);
}

void NativeAudioRecorderInternal::slotStop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    if (m_recorder->stop())
        emit finished();
    else
        emit failed(m_recorder->errorString());
}

void NativeAudioRecorderInternal::slotSuspend()
{
    m_recorder->pause();
}

void NativeAudioRecorderInternal::slotResume()
{
    m_recorder->record();
}

} // namespace DIReridArazi
