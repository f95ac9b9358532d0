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
    m_recorder->initWithPath(path, recorderSettings(m_format));
    m_recorder->prepareToRecord();
    m_recorder->record();
    m_stopped = false;
}

void NativeAudioRecorderInternal::slotStop()
{
    m_recorder->stop();
    m_stopped = true;
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
