// The radix-2 FFT against single-precision FFTW, n = 2^4 .. 2^20: time per
// forward transform, and the relative RMS error of both against FFTW in
// double precision (counters "error").
#include "Math.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

struct Signal
{
    std::vector<float> re, im;
};

Signal randomSignal(int n)
{
    std::mt19937 random(n);
    std::uniform_real_distribution<float> sample(-1, 1);
    Signal s {std::vector<float>(size_t(n)), std::vector<float>(size_t(n))};
    for (int k = 0; k < n; ++k) {
        s.re[size_t(k)] = sample(random);
        s.im[size_t(k)] = sample(random);
    }
    return s;
}

fftwf_plan floatPlan(int n, float* re, float* im)
{
    fftw_iodim dim {n, 1, 1};
    return fftwf_plan_guru_split_dft(1, &dim, 0, nullptr, re, im, re, im, FFTW_MEASURE);
}

// The forward transform with the 1/n of Math::fft, in double precision.
std::vector<double> reference(const Signal& s)
{
    const int n = int(s.re.size());
    std::vector<double> re(s.re.begin(), s.re.end()), im(s.im.begin(), s.im.end());
    fftw_iodim dim {n, 1, 1};
    fftw_plan plan = fftw_plan_guru_split_dft(
        1, &dim, 0, nullptr, re.data(), im.data(), re.data(), im.data(), FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    re.insert(re.end(), im.begin(), im.end());
    for (double& v : re)
        v /= n;
    return re;
}

double rmsError(const std::vector<float>& re, const std::vector<float>& im, float scale,
    const std::vector<double>& exact)
{
    double error = 0, norm = 0;
    const size_t n = re.size();
    for (size_t k = 0; k < 2 * n; ++k) {
        const double value = double(k < n ? re[k] : im[k - n]) * scale;
        error += (value - exact[k]) * (value - exact[k]);
        norm += exact[k] * exact[k];
    }
    return std::sqrt(error / norm);
}

void mathFft(benchmark::State& state)
{
    const int n = int(state.range(0));
    const Signal input = randomSignal(n);
    Signal work = input;
    ZAruri::Math::fft(n, work.re.data(), work.im.data());
    state.counters["error"] = rmsError(work.re, work.im, 1, reference(input));
    for (auto _ : state) {
        work = input;
        ZAruri::Math::fft(n, work.re.data(), work.im.data());
        benchmark::DoNotOptimize(work.re.data());
    }
}

void fftwFloat(benchmark::State& state)
{
    const int n = int(state.range(0));
    const Signal input = randomSignal(n);
    Signal work = input;
    fftwf_plan plan = floatPlan(n, work.re.data(), work.im.data());
    work = input;
    fftwf_execute(plan);
    state.counters["error"] = rmsError(work.re, work.im, 1.0f / float(n), reference(input));
    for (auto _ : state) {
        work = input;
        fftwf_execute(plan);
        benchmark::DoNotOptimize(work.re.data());
    }
    fftwf_destroy_plan(plan);
}

} // namespace

BENCHMARK(mathFft)->RangeMultiplier(4)->Range(1 << 4, 1 << 20);
BENCHMARK(fftwFloat)->RangeMultiplier(4)->Range(1 << 4, 1 << 20);

BENCHMARK_MAIN();
