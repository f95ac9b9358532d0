#pragma once

#include "AudioCaptureSource.h"
#include "AudioFileWriter.h"
#include "RecorderSettings.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace DIReridArazi {

// The platform recorder of a Linux build: captured sound from an
// AudioCaptureSource (SDL's default input unless replaced), written to a file
// whose container follows the name's suffix: ".aif"/".aiff"/".aifc" AIFF,
// ".caf" CAF, otherwise WAV; AAC settings always give an MPEG-4 audio file.
// A 20 ms timer moves the captured sound to the file; a write that fails
// stops the recording and emits failed(). GUI thread only.
class PlatformAudioRecorder : public QObject
{
    Q_OBJECT

public:
    explicit PlatformAudioRecorder(QObject* parent);
    ~PlatformAudioRecorder() override;

    // Takes a source in place of SDL's default input; without one, record()
    // fails.
    void setCaptureSource(std::unique_ptr<AudioCaptureSource> source);

    // Ends a recording in progress, dropping its result (stop() first to learn
    // it), and takes the file and settings for the next.
    void initWithPath(const QString& path, const RecorderSettings& settings);
    // Creates the file; false, with the reason in errorString(), when it
    // cannot be written, and the path is then left as it was.
    bool prepareToRecord();
    // Starts or resumes capturing, opening the input and then creating the
    // file; false, with the reason in errorString(), without an input or a
    // file.
    bool record();
    void pause();
    // Completes the file; false, with the reason in errorString(), when its
    // last sound or its end could not be written. Recording again needs
    // initWithPath.
    bool stop();
    // Seconds recorded since the last initWithPath: the sound taken by the file.
    double currentTime() const;
    // Why the last step failed; cleared by initWithPath.
    QString errorString() const;

signals:
    // Writing failed while recording: the recording has stopped, and its file
    // keeps what was written before.
    void failed(const QString& reason);

private slots:
    void slotDrain();

private:
    // Moves the captured sound to the file; false when writing failed.
    bool drain();
    // False, saying why, when no file was named.
    bool hasPath();
    bool fail(const QString& reason);
    QString writeFailure() const;
    std::unique_ptr<AudioFileWriter> makeWriter() const;

    std::unique_ptr<AudioCaptureSource> m_source;
    std::unique_ptr<AudioFileWriter> m_writer;
    QString m_path;
    RecorderSettings m_settings;
    QTimer m_drainTimer;
    bool m_sourceOpen = false;
    long long m_framesWritten = 0;
    QString m_error;
};

} // namespace DIReridArazi
