// The exponential blur of a 1920 x 1080 region at radius 10, against the same
// filter written as a plain scan-line loop.
#include "../tests/common/ReferenceBlur.h"
#include "DrawTools.h"

#include <benchmark/benchmark.h>

namespace {

QImage screenshot()
{
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
    }
    return image;
}

void drawToolsBlur(benchmark::State& state)
{
    const QImage image = screenshot();
    for (auto _ : state)
        benchmark::DoNotOptimize(DAvuroD::DrawTools::blurred(image, image.rect(), 10, false));
}

void scanLineBlur(benchmark::State& state)
{
    const QImage image = screenshot();
    for (auto _ : state)
        benchmark::DoNotOptimize(referenceBlur(image, image.rect(), 10, false));
}

} // namespace

BENCHMARK(drawToolsBlur)->Unit(benchmark::kMillisecond);
BENCHMARK(scanLineBlur)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
