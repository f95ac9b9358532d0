#include "SampleFile.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

void SampleFile::finish(std::vector<float>& samples, double fadeSeconds, float peak)
{
    // A one-pole DC blocker at about 10 Hz.
    double x1 = 0, y1 = 0;
    const double r = 1.0 - 2 * M_PI * 10.0 / 44100.0;
    for (float& s : samples) {
        const double y = s - x1 + r * y1;
        x1 = s;
        y1 = y;
        s = float(y);
    }
    const size_t fade = std::min(samples.size(), size_t(fadeSeconds * 44100));
    for (size_t i = 0; i < fade; ++i) {
        const double x = double(i) / double(fade);
        samples[samples.size() - 1 - i] *= float(0.5 - 0.5 * std::cos(M_PI * x));
    }
    float top = 0;
    for (float s : samples)
        top = std::max(top, std::fabs(s));
    if (top > 0) {
        for (float& s : samples)
            s *= peak / top;
    }
}

bool SampleFile::write(const QString& path, const std::vector<float>& samples, int format)
{
    SF_INFO info = {};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG) {
        int mode = SF_BITRATE_MODE_CONSTANT;
        double level = 0.4;
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    const sf_count_t written = sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    const bool closed = sf_close(file) == 0;
    return closed && written == sf_count_t(samples.size());
}
