#include "Math.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace ZAruri {

namespace {

constexpr float InitialPrecision = 1e-10f;
constexpr float NotANumber = std::numeric_limits<float>::quiet_NaN();

constexpr float absolute(float x)
{
    return x < 0 ? -x : x;
}

// A series ends when its absolute sum stops moving by more than the
// precision; a NaN sum ends it too.
constexpr bool settled(float sum, float previous, float precision)
{
    return !(absolute(absolute(sum) - absolute(previous)) > precision);
}

// The powers and factorials below are carried from term to term. Each step
// repeats the last multiplication of the product formed afresh from 1.0, so
// the values are the same to the last bit.

// The sine (first = 1) or cosine (first = 0) series: terms x^n (-1)^k / n!
// with n = 2k + first.
constexpr float trigSeries(float x, float precision, int first)
{
    float power = first == 1 ? x : 1;
    float sum = power, previous = 0, factorial = 1, sign = 1;
    for (int k = 1; !settled(sum, previous, precision); ++k) {
        const int n = 2 * k + first;
        power = power * x * x;
        factorial = factorial * float(n - 1) * float(n);
        sign = -sign;
        const float term = power * sign / factorial;
        previous = sum;
        sum = sum + term;
    }
    return sum;
}

constexpr float sineSeries(float x, float precision)
{
    return trigSeries(x, precision, 1);
}

constexpr float cosineSeries(float x, float precision)
{
    return trigSeries(x, precision, 0);
}

constexpr float radians(int degrees)
{
    return float(degrees) * Math::PI / 180;
}

template <float (*series)(float, float)> constexpr std::array<float, 360> table()
{
    std::array<float, 360> entries {};
    for (int d = 359; d >= 0; --d)
        entries[size_t(d)] = series(radians(d), InitialPrecision);
    return entries;
}

constexpr std::array<float, 360> SineTable = table<sineSeries>();
constexpr std::array<float, 360> CosineTable = table<cosineSeries>();

int tableIndex(int degrees)
{
    return (degrees % 360 + 360) % 360;
}

} // namespace

float Math::sm_fPrecision = InitialPrecision;
int Math::sm_nCounter = 0;
// Constant-initialised: filled before any static object of any file is built.
std::array<float, 360> Math::sm_fSin = SineTable;
std::array<float, 360> Math::sm_fCos = CosineTable;

static Math g_math(InitialPrecision);

Math::Math(const float& precision)
{
    if (sm_nCounter == 0) {
        setPrecision(precision);
        lutInit();
    }
    ++sm_nCounter;
}

Math::~Math() = default;

void Math::lutInit()
{
    for (int d = 359; d >= 0; --d) {
        const float x = radians(d);
        sm_fSin[size_t(d)] = sineSeries(x, sm_fPrecision);
        sm_fCos[size_t(d)] = cosRad(x);
    }
}

void Math::setPrecision(const float& precision)
{
    // A negative threshold would never be met.
    sm_fPrecision = precision < 0 ? 0 : precision;
}

const float& Math::sin(const int& degrees)
{
    return sm_fSin[size_t(tableIndex(degrees))];
}

const float& Math::cos(const int& degrees)
{
    return sm_fCos[size_t(tableIndex(degrees))];
}

float Math::tan(const int& degrees)
{
    const size_t i = size_t(tableIndex(degrees));
    return sm_fSin[i] / sm_fCos[i];
}

float Math::rad(const int& degrees)
{
    return radians(degrees);
}

float Math::sinRad(const float& x)
{
    return sineSeries(x, sm_fPrecision);
}

float Math::cosRad(const float& x)
{
    return cosineSeries(x, sm_fPrecision);
}

float Math::secRad(const float& x)
{
    return 1 / cosRad(x);
}

// Converges only for |x| < 1; beyond, the terms grow without end.
float Math::atanSeries(float x)
{
    if (!(absolute(x) < 1))
        return NotANumber;
    float sum = 0, previous = 1, power = 1, sign = -1;
    for (int k = 0; !settled(sum, previous, sm_fPrecision); ++k) {
        power = k == 0 ? power * x : power * x * x;
        sign = -sign;
        const float term = power * sign / float(2 * k + 1);
        previous = sum;
        sum = sum + term;
    }
    return sum;
}

float Math::atanRad(const float& x)
{
    return atanSeries(x);
}

float Math::acotRad(const float& x)
{
    return atanSeries(x) + PIH;
}

float Math::acosRad(const float& x)
{
    const float root = sqrt(1 - x * x);
    return PIH - atanSeries(x / root);
}

float Math::sqrt(const float& a)
{
    if (!(a >= 0))
        return NotANumber;
    if (a == std::numeric_limits<float>::infinity())
        return a;
    float y = 1, previous = 0;
    while (absolute(y - previous) > sm_fPrecision) {
        previous = y;
        y = (a / y + y) * 0.5f;
    }
    return y;
}

// The series of ln(1 + y) with y = x - 1; it converges only for 0 < x < 2.
float Math::ln(const float& x)
{
    if (!(x > 0 && x < 2))
        return NotANumber;
    const float y = x + -1.0f;
    float sum = 0, previous = 1, power = 1, sign = -1;
    for (int n = 1; !settled(sum, previous, sm_fPrecision); ++n) {
        power = power * y;
        sign = -sign;
        const float term = power * sign / float(n);
        previous = sum;
        sum = sum + term;
    }
    return sum;
}

float Math::exp(const float& x)
{
    float sum = 1, previous = 0, power = 1, factorial = 1;
    for (int k = 1; !settled(sum, previous, sm_fPrecision); ++k) {
        power = power * x;
        factorial = factorial * float(k);
        const float term = power / factorial;
        previous = sum;
        sum = sum + term;
    }
    return sum;
}

float Math::pow(const float& base, const float& exponent)
{
    const float y = base - 1;
    float sum = 1, previous = 0, coefficient = 1, power = 1, factorial = 1;
    for (int k = 1; !settled(sum, previous, sm_fPrecision); ++k) {
        coefficient = coefficient * (exponent - float(k - 1));
        power = power * y;
        factorial = factorial * float(k);
        const float term = coefficient * power / factorial;
        previous = sum;
        sum = sum + term;
    }
    return sum;
}

float Math::powInt(const float& base, const int& exponent)
{
    float result = 1;
    for (int i = 0; i < exponent; ++i)
        result = result * base;
    return result;
}

// n! from 1 upwards; past 34! it is infinite, so the loop ends there.
float Math::factorialf(const float& x)
{
    if (!(x >= 0) || std::trunc(x) != x)
        return NotANumber;
    float result = 1;
    for (float k = 1; k <= x && result != std::numeric_limits<float>::infinity(); k += 1)
        result = k * result;
    return result;
}

// From 66! on, 2^64 divides the product, so the wrapped value stays 0.
unsigned long Math::factorial(const unsigned long& n)
{
    unsigned long result = 1;
    for (unsigned long k = 1; k <= n && result != 0; ++k)
        result = k * result;
    return result;
}

float Math::abs(const float& x)
{
    return absolute(x);
}

// Values beyond the 32-bit range are whole already and come back unchanged.
float Math::floor(const float& x)
{
    if (!(absolute(x) < 2147483648.0f))
        return x;
    return float(int(x));
}

float Math::maximum(const float& a, const float& b)
{
    return a > b ? a : b;
}

float Math::minimum(const float& a, const float& b)
{
    return a < b ? a : b;
}

float Math::integral(const float& a, const float& b, float (*f)(float))
{
    if (!f)
        return NotANumber;
    if (!(b > a))
        return 0;
    const float h = (b - a) / 50;
    float sum = 0;
    for (int k = 0; k < 50; ++k)
        sum = sum + f(a + float(k) * h) * h;
    return sum;
}

void Math::fft(const int& n, float* re, float* im)
{
    transform(n, re, im, false);
}

void Math::ifft(const int& n, float* re, float* im)
{
    transform(n, re, im, true);
}

void Math::transform(int n, float* re, float* im, bool inverse)
{
    if (n < 1 || (n & (n - 1)) != 0 || !re || !im)
        return;
    for (int i = 0, j = 0; i < n - 1; ++i) {
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
        int k = n / 2;
        for (; k <= j; k /= 2)
            j -= k;
        j += k;
    }
    // The twiddle factors of a stage, by the same recurrence the butterflies
    // would step through; butterflies of one stage are independent, so they
    // run block by block over contiguous memory.
    std::vector<float> twiddles(static_cast<size_t>(n));
    float* const uRe = twiddles.data();
    float* const uIm = uRe + n / 2;
    for (int half = 1; half < n; half *= 2) {
        const float angle = PI / float(half);
        const float wr = cosRad(angle);
        const float ws = sineSeries(angle, sm_fPrecision);
        const float wi = inverse ? ws : -ws;
        float ur = 1, ui = 0;
        for (int j = 0; j < half; ++j) {
            uRe[j] = ur;
            uIm[j] = ui;
            const float next = ur * wr - ui * wi;
            ui = ui * wr + ur * wi;
            ur = next;
        }
        for (int block = 0; block < n; block += 2 * half) {
            float* const r = re + block;
            float* const m = im + block;
            for (int j = 0; j < half; ++j) {
                const float tr = uRe[j] * r[j + half] - uIm[j] * m[j + half];
                const float ti = uRe[j] * m[j + half] + uIm[j] * r[j + half];
                r[j + half] = r[j] - tr;
                m[j + half] = m[j] - ti;
                r[j] = r[j] + tr;
                m[j] = m[j] + ti;
            }
        }
    }
    if (!inverse) {
        const float scale = 1 / float(n); // exact: n is a power of two
        for (int k = n - 1; k >= 0; --k) {
            re[k] = re[k] * scale;
            im[k] = im[k] * scale;
        }
    }
}

} // namespace ZAruri
