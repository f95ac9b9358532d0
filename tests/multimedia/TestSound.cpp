#include "TestSound.h"

#include "AudioEngine.h"
#include "AudioFileReader.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double rate = 44100.0;

QByteArray pcmFrames(quint16 channels, quint32 frames, QDataStream::ByteOrder order)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(order);
    for (quint32 f = 0; f < frames; ++f) {
        for (quint16 c = 0; c < channels; ++c)
            out << qint16(c == 0 ? 8192 : c == 1 ? -8192 : 16384);
    }
    return bytes;
}

} // namespace

std::vector<float> TestSound::sine(qint64 frames, double frequency, float amplitude, double rate)
{
    std::vector<float> samples(static_cast<size_t>(frames));
    for (qint64 i = 0; i < frames; ++i)
        samples[size_t(i)] = amplitude * float(std::sin(2 * M_PI * frequency * double(i) / rate));
    return samples;
}

bool TestSound::write(const QString& path, const std::vector<float>& samples, int format, int rate)
{
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t written = sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return written == sf_count_t(samples.size());
}

bool TestSound::writeTone(const QString& path, int milliseconds)
{
    return write(
        path, sine(qint64(milliseconds) * 441 / 10, 440, 0.1f), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

QByteArray TestSound::pcmFile(Container container, quint32 rate, quint16 channels, quint32 frames)
{
    const QDataStream::ByteOrder order
        = container == Container::Wav ? QDataStream::LittleEndian : QDataStream::BigEndian;
    const QByteArray samples = pcmFrames(channels, frames, order);
    const quint32 size = quint32(samples.size());
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(order);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    if (container == Container::Wav) {
        out.writeRawData("RIFF", 4);
        out << quint32(36 + size);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << channels << rate << quint32(2 * channels * rate)
            << quint16(2 * channels) << quint16(16);
        out.writeRawData("data", 4);
        out << size;
    } else if (container == Container::Aiff) {
        // The rate as an 80-bit float: its power of two, then the mantissa
        // with its leading one.
        int exponent = 0;
        while ((quint64(2) << exponent) <= rate)
            ++exponent;
        out.writeRawData("FORM", 4);
        out << quint32(4 + 26 + 16 + size);
        out.writeRawData("AIFFCOMM", 8);
        out << quint32(18) << channels << frames << quint16(16) << quint16(16383 + exponent)
            << (quint64(rate) << (63 - exponent));
        out.writeRawData("SSND", 4);
        out << quint32(8 + size) << quint32(0) << quint32(0);
    } else {
        out.writeRawData("caff", 4);
        out << quint16(1) << quint16(0);
        out.writeRawData("desc", 4);
        out << qint64(32) << double(rate);
        out.writeRawData("lpcm", 4);
        out << quint32(0) << quint32(2 * channels) << quint32(1) << quint32(channels)
            << quint32(16);
        out.writeRawData("data", 4);
        out << qint64(4 + size) << quint32(0);
    }
    return bytes + samples;
}

std::vector<float> TestSound::render(qint64 frames)
{
    QCoreApplication::processEvents();
    std::vector<float> stereo(size_t(frames) * 2);
    for (qint64 done = 0; done < frames;) {
        const int chunk = int(std::min<qint64>(256, frames - done));
        DIReridArazi::AudioEngine::instance()->mix(stereo.data() + 2 * done, chunk);
        done += chunk;
    }
    return stereo;
}

float TestSound::peak(const std::vector<float>& samples)
{
    float peak = 0.f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

std::vector<float> TestSound::readMono(const QString& path)
{
    DIReridArazi::AudioFileReader reader(path);
    std::vector<float> samples;
    std::vector<float> block(4096);
    while (reader.isOpen() && reader.channels() == 1) {
        const qint64 got = reader.read(block.data(), 4096);
        if (got == 0)
            break;
        samples.insert(samples.end(), block.begin(), block.begin() + got);
    }
    return samples;
}

std::complex<double> TestSound::spectrumAt(
    const std::vector<float>& samples, double frequency, qint64 from, qint64 length, int stride)
{
    const std::complex<double> step = std::polar(1.0, -2 * M_PI * frequency / rate);
    const std::complex<double> hannStep = std::polar(1.0, 2 * M_PI / double(length));
    std::complex<double> rotor = 1.0;
    std::complex<double> hann = 1.0;
    std::complex<double> sum = 0.0;
    for (qint64 n = 0; n < length; ++n) {
        const double w = 0.5 - 0.5 * hann.real();
        sum += w * double(samples[size_t((from + n) * stride)]) * rotor;
        rotor *= step;
        hann *= hannStep;
    }
    return sum;
}

double TestSound::measure(const std::vector<float>& samples, double guess, qint64 from)
{
    constexpr qint64 window = 22050;
    double frequency = guess;
    // Each hop is short enough that the previous estimate leaves no doubt
    // about the number of whole turns in between: +-50, 5, 1 and 0.5 Hz.
    for (qint64 hop : {441, 4410, 22050, 44100}) {
        for (int pass = 0; pass < 2; ++pass) {
            const std::complex<double> a = spectrumAt(samples, frequency, from, window);
            const std::complex<double> b = spectrumAt(samples, frequency, from + hop, window);
            const double expected = 2 * M_PI * frequency * double(hop) / rate;
            const double drift = std::arg(b / a * std::polar(1.0, -expected));
            frequency += drift * rate / (2 * M_PI * double(hop));
        }
    }
    return frequency;
}
