#pragma once

#include <array>

namespace ZAruri {

// Single-precision numerics: whole-degree sine and cosine tables, power
// series summed until they settle, Newton's square root, factorials, a
// Riemann-sum integral and a radix-2 FFT. Every result follows its own order
// of operations to the last bit. Arguments outside a function's domain give
// NaN (the FFT leaves its data alone); nothing else is reported.
class Math
{
public:
    // The first object ever made sets the precision; the tables are filled
    // before any code runs, so static objects of other files may read them.
    explicit Math(const float& precision);
    virtual ~Math();

    static void lutInit();
    // The stop threshold of every series and of the square root; below 0 counts as 0.
    static void setPrecision(const float& precision);

    // Table entries; any whole degree, negative ones too, is taken modulo 360.
    static const float& sin(const int& degrees);
    static const float& cos(const int& degrees);
    // Large but finite at 90 and 270 degrees.
    static float tan(const int& degrees);
    static float rad(const int& degrees);

    static float sinRad(const float& x);
    static float cosRad(const float& x);
    static float secRad(const float& x);
    // Defined for |x| < 1.
    static float atanRad(const float& x);
    // atanRad(x) + pi/2, defined for |x| < 1.
    static float acotRad(const float& x);
    // Defined for |x| < 1/sqrt(2).
    static float acosRad(const float& x);
    // Newton's iteration from 1; sqrt(0) ends near 5.8e-11.
    static float sqrt(const float& a);
    // Defined for 0 < x < 2.
    static float ln(const float& x);
    static float exp(const float& x);
    // The binomial series of base^exponent about base 1.
    static float pow(const float& base, const float& exponent);
    // 1 for exponents of 0 and below.
    static float powInt(const float& base, const int& exponent);
    // Defined for whole x >= 0.
    static float factorialf(const float& x);
    // Wraps modulo 2^64 from 21! on.
    static unsigned long factorial(const unsigned long& n);
    static float abs(const float& x);
    // Truncates towards zero: floor(-1.5) is -1.
    static float floor(const float& x);
    static float maximum(const float& a, const float& b);
    static float minimum(const float& a, const float& b);
    // The left Riemann sum over 50 strips; 0 unless b > a.
    static float integral(const float& a, const float& b, float (*f)(float));
    // In place on n complex values, n a power of two. The forward transform
    // carries the 1/n, so ifft(fft(x)) gives back x.
    static void fft(const int& n, float* re, float* im);
    static void ifft(const int& n, float* re, float* im);

    static constexpr float PI = 3.1415927f;
    static constexpr float PIH = 1.5707964f;
    static constexpr float EXP = 2.7182817f;

    static float sm_fPrecision;
    static int sm_nCounter;
    static std::array<float, 360> sm_fSin;
    static std::array<float, 360> sm_fCos;

private:
    static float atanSeries(float x);
    static void transform(int n, float* re, float* im, bool inverse);
};

} // namespace ZAruri
