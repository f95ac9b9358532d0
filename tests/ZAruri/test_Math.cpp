#include "Math.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

using ZAruri::Math;
using Floats = QVector<float>;

namespace {

const float NaN = std::numeric_limits<float>::quiet_NaN();

// Read while the program starts, in whatever order the files are initialised.
const float earlySine = Math::sin(30);

float one(float)
{
    return 1;
}

void row(const char* name, float actual, float expected, float tolerance = 0)
{
    QTest::newRow(name) << Floats {actual} << Floats {expected} << tolerance;
}

// The transform's real parts, then its imaginary parts.
Floats transformed(bool inverse, Floats re, Floats im)
{
    (inverse ? Math::ifft : Math::fft)(re.size(), re.data(), im.data());
    return re + im;
}

Floats random(int count)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> sample(-1, 1);
    Floats values(count);
    std::generate(values.begin(), values.end(), [&] { return sample(random); });
    return values;
}

QByteArray describe(float actual, float expected)
{
    return QByteArray::number(actual, 'g', 9) + " instead of "
        + QByteArray::number(expected, 'g', 9);
}

} // namespace

// The single-precision numerics: table values, series, roots, the integral and the FFT.
class TestMath : public QObject
{
    Q_OBJECT

private slots:
    void values_data()
    {
        QTest::addColumn<Floats>("actual");
        QTest::addColumn<Floats>("expected");
        QTest::addColumn<float>("tolerance");
        row("sin 30 is one half", Math::sin(30), 0.5f);
        row("read by a static object", earlySine, 0.5f);
        row("sin 90", Math::sin(90), 0.99999994f);
        row("cos 90 is tiny and negative", Math::cos(90), -6.4279064e-8f);
        row("tan 90 is large and finite", Math::tan(90), -15557164.0f);
        row("cos 360 is cos 0", Math::cos(360) - Math::cos(0), 0);
        row("sin -90 is sin 270", Math::sin(-90) - Math::sin(270), 0);
        row("sinRad 1", Math::sinRad(1), 0.84147098f, 1e-7f);
        row("powInt 2^3", Math::powInt(2, 3), 8);
        row("powInt 2^-3 is 1", Math::powInt(2, -3), 1);
        row("floor -1.5 truncates", Math::floor(-1.5f), -1);
        row("factorialf 5", Math::factorialf(5), 120);
        row("factorialf 40 overflows", Math::factorialf(40),
            std::numeric_limits<float>::infinity());
        row("factorialf -1 refused", Math::factorialf(-1), NaN);
        row("factorialf 2.5 refused", Math::factorialf(2.5f), NaN);
        row("sqrt 2 after five steps", Math::sqrt(2), 1.4142135f);
        row("sqrt 0 stops at 2^-34", Math::sqrt(0), std::ldexp(1.0f, -34));
        row("sqrt -1 refused", Math::sqrt(-1), NaN);
        row("exp 0", Math::exp(0), 1);
        row("ln 1", Math::ln(1), 0);
        row("ln 0 refused", Math::ln(0), NaN);
        row("ln 2 refused", Math::ln(2), NaN);
        row("atanRad 1 refused", Math::atanRad(1), NaN);
        row("acotRad 0", Math::acotRad(0), Math::PIH);
        row("acosRad 0", Math::acosRad(0), Math::PIH);
        row("acosRad 0.8 refused", Math::acosRad(0.8f), NaN);
        row("pow 1.5^2", Math::pow(1.5f, 2), 2.25f);
        row("integral of 1 over 0..1", Math::integral(0, 1, one), 0.9999996f);
        row("integral backwards", Math::integral(1, 0, one), 0);
        const Floats zeros = {0, 0, 0, 0}, quarters = {0.25f, 0.25f, 0.25f, 0.25f};
        QTest::newRow("fft of an impulse, with 1/n")
            << transformed(false, {1, 0, 0, 0}, zeros) << quarters + zeros << 1e-7f;
        QTest::newRow("ifft back to the impulse")
            << transformed(true, quarters, zeros) << Floats {1, 0, 0, 0} + zeros << 1e-7f;
        QTest::newRow("fft of a shifted impulse turns clockwise")
            << transformed(false, {0, 1, 0, 0}, zeros)
            << Floats {0.25f, 0, -0.25f, 0, 0, -0.25f, 0, 0.25f} << 1e-7f;
        QTest::newRow("fft of three values is refused")
            << transformed(false, {1, 2, 3}, {4, 5, 6}) << Floats {1, 2, 3, 4, 5, 6} << 0.0f;
        const Floats noise = random(2048);
        const Floats spectrum = transformed(false, noise.mid(0, 1024), noise.mid(1024));
        QTest::newRow("ifft undoes fft")
            << transformed(true, spectrum.mid(0, 1024), spectrum.mid(1024)) << noise << 1e-5f;
    }
    void values()
    {
        QFETCH(Floats, actual);
        QFETCH(Floats, expected);
        QFETCH(float, tolerance);
        QCOMPARE(actual.size(), expected.size());
        for (int k = 0; k < actual.size(); ++k) {
            const bool near = std::abs(actual[k] - expected[k]) <= tolerance;
            QVERIFY2(
                std::isnan(expected[k]) ? std::isnan(actual[k]) : actual[k] == expected[k] || near,
                QByteArray::number(k) + ": " + describe(actual[k], expected[k]));
        }
    }

    void factorial_data()
    {
        QTest::addColumn<unsigned long>("n");
        QTest::addColumn<unsigned long>("expected");
        QTest::newRow("20!") << 20ul << 2432902008176640000ul;
        QTest::newRow("21! wraps") << 21ul << 14197454024290336768ul;
        QTest::newRow("66! wraps to 0") << 66ul << 0ul;
        QTest::newRow("largest argument") << std::numeric_limits<unsigned long>::max() << 0ul;
    }
    void factorial()
    {
        QFETCH(unsigned long, n);
        QFETCH(unsigned long, expected);
        QCOMPARE(Math::factorial(n), expected);
    }

    // Later objects and lutInit change neither the precision nor a table entry.
    void tablesAreFilledOnce()
    {
        const auto sines = Math::sm_fSin, cosines = Math::sm_fCos;
        const int counter = Math::sm_nCounter;
        QVERIFY(counter >= 1);
        {
            Math later(0.5f);
            QCOMPARE(Math::sm_nCounter, counter + 1);
            QCOMPARE(Math::sm_fPrecision, 1e-10f);
            Math::lutInit();
        }
        QCOMPARE(Math::sm_nCounter, counter + 1);
        QVERIFY(Math::sm_fSin == sines && Math::sm_fCos == cosines);
        Math::setPrecision(-1);
        QCOMPARE(Math::sm_fPrecision, 0.0f);
        QVERIFY(std::abs(Math::sinRad(1) - 0.84147098f) < 1e-7f);
        Math::setPrecision(1e-10f);
    }
};

QTEST_GUILESS_MAIN(TestMath)
#include "test_Math.moc"
