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
    connect(
        m_recorder, &PlatformAudioRecorder::failed, this, &NativeAudioRecorderInternal::comeToRest);
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
    if (!m_stopped)
        slotStop();
    m_recorder->initWithPath(path, recorderSettings(m_format));
    if (m_recorder->record()) {
        m_stopped = false;
        return;
    }
    const QString reason = m_recorder->errorString();
    m_recorder->stop();
    comeToRest(reason);
}

void NativeAudioRecorderInternal::slotStop()
{
    const bool ended = m_stopped || m_recorder->stop();
    comeToRest(ended ? QString() : m_recorder->errorString());
}

void NativeAudioRecorderInternal::comeToRest(const QString& failure)
{
    m_stopped = true;
    if (!failure.isNull())
        emit failed(failure);
    emit finished();
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
