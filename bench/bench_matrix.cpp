// Square matrix products, n = 3 .. 512: MMatrix<float> against Eigen.
#include "MMatrix"

#include <Eigen/Dense>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<float> values(int n)
{
    std::vector<float> v(size_t(n) * size_t(n));
    for (size_t k = 0; k < v.size(); ++k)
        v[k] = float(k % 17) * 0.25f - 2;
    return v;
}

void mmatrixProduct(benchmark::State& state)
{
    const int n = int(state.range(0));
    std::vector<float> v = values(n);
    const MMatrix<float> a(v.data(), n, n), b(v.data(), n, n);
    for (auto _ : state) {
        const MMatrix<float> c = a * b;
        benchmark::DoNotOptimize(&c);
    }
}

void eigenProduct(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<float> v = values(n);
    const Eigen::MatrixXf a = Eigen::Map<const Eigen::MatrixXf>(v.data(), n, n);
    const Eigen::MatrixXf b = a;
    Eigen::MatrixXf c(n, n);
    for (auto _ : state) {
        c.noalias() = a * b;
        benchmark::DoNotOptimize(c.data());
    }
}

} // namespace

BENCHMARK(mmatrixProduct)->Arg(3)->RangeMultiplier(2)->Range(4, 512);
BENCHMARK(eigenProduct)->Arg(3)->RangeMultiplier(2)->Range(4, 512);

BENCHMARK_MAIN();
