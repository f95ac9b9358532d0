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
    QTest::newRow(name) << actual << expected << tolerance;
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
        QTest::addColumn<float>("actual");
        QTest::addColumn<float>("expected");
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
    }
    void values()
    {
        QFETCH(float, actual);
        QFETCH(float, expected);
        QFETCH(float, tolerance);
        QVERIFY2(std::isnan(expected)
                ? std::isnan(actual)
                : actual == expected || std::abs(actual - expected) <= tolerance,
            describe(actual, expected));
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

    void fft_data()
    {
        QTest::addColumn<bool>("inverse");
        QTest::addColumn<Floats>("re");
        QTest::addColumn<Floats>("im");
        QTest::addColumn<Floats>("expectedRe");
        QTest::addColumn<Floats>("expectedIm");
        const Floats zeros = {0, 0, 0, 0}, quarters = {0.25f, 0.25f, 0.25f, 0.25f};
        QTest::newRow("impulse") << false << Floats {1, 0, 0, 0} << zeros << quarters << zeros;
        QTest::newRow("inverse") << true << quarters << zeros << Floats {1, 0, 0, 0} << zeros;
        QTest::newRow("shifted impulse turns clockwise")
            << false << Floats {0, 1, 0, 0} << zeros << Floats {0.25f, 0, -0.25f, 0}
            << Floats {0, -0.25f, 0, 0.25f};
        QTest::newRow("three values are refused") << false << Floats {1, 2, 3} << Floats {4, 5, 6}
                                                  << Floats {1, 2, 3} << Floats {4, 5, 6};
    }
    void fft()
    {
        QFETCH(bool, inverse);
        QFETCH(Floats, re);
        QFETCH(Floats, im);
        QFETCH(Floats, expectedRe);
        QFETCH(Floats, expectedIm);
        (inverse ? Math::ifft : Math::fft)(re.size(), re.data(), im.data());
        for (int k = 0; k < re.size(); ++k) {
            QVERIFY2(std::abs(re[k] - expectedRe[k]) < 1e-7f, describe(re[k], expectedRe[k]));
            QVERIFY2(std::abs(im[k] - expectedIm[k]) < 1e-7f, describe(im[k], expectedIm[k]));
        }
    }

    void inverseUndoesForward()
    {
        std::mt19937 random(7);
        std::uniform_real_distribution<float> sample(-1, 1);
        Floats re(1024), im(1024);
        for (int k = 0; k < re.size(); ++k)
            std::tie(re[k], im[k]) = std::make_pair(sample(random), sample(random));
        const Floats original = re + im;
        Math::fft(re.size(), re.data(), im.data());
        Math::ifft(re.size(), re.data(), im.data());
        const Floats back = re + im;
        for (int k = 0; k < back.size(); ++k)
            QVERIFY2(std::abs(back[k] - original[k]) < 1e-5f, describe(back[k], original[k]));
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
