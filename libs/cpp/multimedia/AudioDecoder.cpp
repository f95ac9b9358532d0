#include "AudioDecoder.h"

#include "AudioClip.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace DIReridArazi {

namespace {

constexpr qint64 inputFrames = 2048;
// Frames at the engine's rate that a byte of a file makes at most: 8-bit
// mono at the lowest rate makes 44.1, the leanest lossy codecs fewer. Only
// near silence packed by a lossless or variable codec makes more.
constexpr qint64 framesPerByte = 64;

// SDL's audio stream drops the fraction of a frame that each piece of input
// would make: pieces of a whole number of output frames lose nothing. About
// inputFrames frames, or the smallest such piece.
qint64 wholePiece(int rate)
{
    const qint64 piece = rate / std::gcd(rate, AudioClip::sampleRate);
    return std::max<qint64>(1, inputFrames / piece) * piece;
}

} // namespace

AudioDecoder::AudioDecoder(std::unique_ptr<AudioFileReader> reader)
    : m_reader(std::move(reader))
    , m_channels(m_reader && m_reader->isOpen() ? m_reader->channels() : 0)
{
    if (m_channels > 0 && m_reader->rate() != AudioClip::sampleRate) {
        m_resampler = std::make_unique<AudioResampler>(m_channels, m_reader->rate());
        m_piece = wholePiece(m_reader->rate());
    }
}

bool AudioDecoder::isValid() const
{
    return m_channels > 0 && (!m_resampler || m_resampler->isValid());
}

qint64 AudioDecoder::estimatedFrames() const
{
    // Rounded as the conversion rounds the length it makes. A header may
    // claim any count, even one that would overflow here.
    constexpr qint64 most
        = (std::numeric_limits<qint64>::max() - AudioFileReader::maxRate) / AudioClip::sampleRate;
    const qint64 frames = std::clamp<qint64>(m_reader->frames(), 0, most);
    return (frames * AudioClip::sampleRate + m_reader->rate() / 2) / m_reader->rate();
}

qint64 AudioDecoder::framesTheFileCanHold() const
{
    constexpr qint64 most = std::numeric_limits<qint64>::max() / framesPerByte;
    return std::min(estimatedFrames(), std::min(m_reader->bytes(), most) * framesPerByte);
}

qint64 AudioDecoder::read(float* out, qint64 maxFrames)
{
    qint64 got = 0;
    if (m_resampler) {
        got = readConverted(out, maxFrames);
    } else {
        while (got < maxFrames && !m_atEnd) {
            const qint64 read = m_reader->read(out + got * m_channels, maxFrames - got);
            got += read;
            m_atEnd = read == 0;
        }
    }
    m_position += got;
    return got;
}

qint64 AudioDecoder::readConverted(float* out, qint64 maxFrames)
{
    qint64 got = 0;
    while (got < maxFrames && !m_atEnd) {
        if (m_end >= 0) {
            // The input is used up: what is left comes out, up to the length
            // the input makes.
            const qint64 wanted = std::min(maxFrames - got, m_end - m_position - got);
            const qint64 last = wanted > 0 ? m_resampler->get(out + got * m_channels, wanted) : 0;
            got += last;
            m_atEnd = last == 0 || m_position + got >= m_end;
            break;
        }
        got += m_resampler->get(out + got * m_channels, maxFrames - got);
        if (got == maxFrames)
            break;
        const qint64 read = readPiece();
        m_inputFrame += read;
        if (read > 0) {
            m_resampler->put(m_input.data(), read);
        } else {
            m_end = m_resampler->outputFrames(m_inputFrame);
            m_resampler->finish();
        }
    }
    return got;
}

// The input grows only as far as the file fills it, whatever the rate.
qint64 AudioDecoder::readPiece()
{
    qint64 read = 0;
    while (read < m_piece) {
        const qint64 wanted = std::min(inputFrames, m_piece - read);
        m_input.resize(size_t((read + wanted) * m_channels));
        const qint64 got = m_reader->read(m_input.data() + read * m_channels, wanted);
        read += got;
        if (got < wanted)
            break;
    }
    return read;
}

void AudioDecoder::seek(qint64 frame)
{
    m_inputFrame = frame * m_reader->rate() / AudioClip::sampleRate;
    m_reader->seek(m_inputFrame);
    if (m_resampler)
        m_resampler->clear();
    m_position = frame;
    m_end = -1;
    m_atEnd = false;
}

} // namespace DIReridArazi
