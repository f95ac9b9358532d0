#include "Math.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

using ZAruri::Math;

using Value = std::function<float()>;
Q_DECLARE_METATYPE(Value)

namespace {

const float NaN = std::numeric_limits<float>::quiet_NaN();
const float Infinity = std::numeric_limits<float>::infinity();

// Read while the program starts, in whatever order the files are initialised.
const float earlySine = Math::sin(30);

float one(float)
{
    return 1;
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
    void values_data();
    void values();
    void factorial_data();
    void factorial();
    void fft_data();
    void fft();
    void inverseUndoesForward();
    void tablesAreFilledOnce();
};

void TestMath::values_data()
{
    QTest::addColumn<Value>("value");
    QTest::addColumn<float>("expected");
    QTest::addColumn<float>("tolerance");
    QTest::newRow("sin 0") << Value([] { return Math::sin(0); }) << 0.0f << 0.0f;
    QTest::newRow("sin 30 is one half") << Value([] { return Math::sin(30); }) << 0.5f << 0.0f;
    QTest::newRow("read by a static object") << Value([] { return earlySine; }) << 0.5f << 0.0f;
    QTest::newRow("sin 45") << Value([] { return Math::sin(45); }) << 0.70710677f << 0.0f;
    QTest::newRow("cos 45") << Value([] { return Math::cos(45); }) << 0.70710677f << 0.0f;
    QTest::newRow("sin 90") << Value([] { return Math::sin(90); }) << 0.99999994f << 0.0f;
    QTest::newRow("cos 90 is tiny and negative")
        << Value([] { return Math::cos(90); }) << -6.4279064e-8f << 0.0f;
    QTest::newRow("tan 90 is large and finite")
        << Value([] { return Math::tan(90); }) << -15557164.0f << 0.0f;
    QTest::newRow("cos 360 is cos 0")
        << Value([] { return Math::cos(360) - Math::cos(0); }) << 0.0f << 0.0f;
    QTest::newRow("sin -90 is sin 270")
        << Value([] { return Math::sin(-90) - Math::sin(270); }) << 0.0f << 0.0f;
    QTest::newRow("sinRad 1") << Value([] { return Math::sinRad(1); }) << 0.84147098f << 1e-7f;
    QTest::newRow("powInt 2^3") << Value([] { return Math::powInt(2, 3); }) << 8.0f << 0.0f;
    QTest::newRow("powInt 2^0") << Value([] { return Math::powInt(2, 0); }) << 1.0f << 0.0f;
    QTest::newRow("powInt 2^-3 is 1") << Value([] { return Math::powInt(2, -3); }) << 1.0f << 0.0f;
    QTest::newRow("floor -1.5 truncates")
        << Value([] { return Math::floor(-1.5f); }) << -1.0f << 0.0f;
    QTest::newRow("floor 2.9") << Value([] { return Math::floor(2.9f); }) << 2.0f << 0.0f;
    QTest::newRow("factorialf 5") << Value([] { return Math::factorialf(5); }) << 120.0f << 0.0f;
    QTest::newRow("factorialf 40 overflows")
        << Value([] { return Math::factorialf(40); }) << Infinity << 0.0f;
    QTest::newRow("factorialf -1 refused")
        << Value([] { return Math::factorialf(-1); }) << NaN << 0.0f;
    QTest::newRow("factorialf 2.5 refused")
        << Value([] { return Math::factorialf(2.5f); }) << NaN << 0.0f;
    QTest::newRow("sqrt 2 after five steps")
        << Value([] { return Math::sqrt(2); }) << 1.4142135f << 0.0f;
    QTest::newRow("sqrt 0 stops at 2^-34")
        << Value([] { return Math::sqrt(0); }) << std::ldexp(1.0f, -34) << 0.0f;
    QTest::newRow("sqrt -1 refused") << Value([] { return Math::sqrt(-1); }) << NaN << 0.0f;
    QTest::newRow("exp 0") << Value([] { return Math::exp(0); }) << 1.0f << 0.0f;
    QTest::newRow("ln 1") << Value([] { return Math::ln(1); }) << 0.0f << 0.0f;
    QTest::newRow("ln 0 refused") << Value([] { return Math::ln(0); }) << NaN << 0.0f;
    QTest::newRow("ln 2 refused") << Value([] { return Math::ln(2); }) << NaN << 0.0f;
    QTest::newRow("atanRad 0") << Value([] { return Math::atanRad(0); }) << 0.0f << 0.0f;
    QTest::newRow("atanRad 1 refused") << Value([] { return Math::atanRad(1); }) << NaN << 0.0f;
    QTest::newRow("acotRad 0") << Value([] { return Math::acotRad(0); }) << Math::PIH << 0.0f;
    QTest::newRow("acosRad 0") << Value([] { return Math::acosRad(0); }) << Math::PIH << 0.0f;
    QTest::newRow("acosRad 0.8 refused")
        << Value([] { return Math::acosRad(0.8f); }) << NaN << 0.0f;
    QTest::newRow("pow 1.5^2") << Value([] { return Math::pow(1.5f, 2); }) << 2.25f << 0.0f;
    QTest::newRow("pow x^0") << Value([] { return Math::pow(7, 0); }) << 1.0f << 0.0f;
    QTest::newRow("integral of 1 over 0..1")
        << Value([] { return Math::integral(0, 1, one); }) << 0.9999996f << 0.0f;
    QTest::newRow("integral backwards")
        << Value([] { return Math::integral(1, 0, one); }) << 0.0f << 0.0f;
}

void TestMath::values()
{
    QFETCH(Value, value);
    QFETCH(float, expected);
    QFETCH(float, tolerance);
    const float actual = value();
    if (std::isnan(expected))
        QVERIFY2(std::isnan(actual), describe(actual, expected));
    else
        QVERIFY2(std::abs(actual - expected) <= tolerance || actual == expected,
            describe(actual, expected));
}

void TestMath::factorial_data()
{
    QTest::addColumn<unsigned long>("n");
    QTest::addColumn<unsigned long>("expected");
    QTest::newRow("0!") << 0ul << 1ul;
    QTest::newRow("20!") << 20ul << 2432902008176640000ul;
    QTest::newRow("21! wraps") << 21ul << 14197454024290336768ul;
    QTest::newRow("66! wraps to 0") << 66ul << 0ul;
    QTest::newRow("largest argument") << std::numeric_limits<unsigned long>::max() << 0ul;
}

void TestMath::factorial()
{
    QFETCH(unsigned long, n);
    QFETCH(unsigned long, expected);
    QCOMPARE(Math::factorial(n), expected);
}

void TestMath::fft_data()
{
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<QVector<float>>("re");
    QTest::addColumn<QVector<float>>("im");
    QTest::addColumn<QVector<float>>("expectedRe");
    QTest::addColumn<QVector<float>>("expectedIm");
    const QVector<float> zeros = {0, 0, 0, 0};
    const QVector<float> quarters = {0.25f, 0.25f, 0.25f, 0.25f};
    QTest::newRow("impulse") << false << QVector<float>({1, 0, 0, 0}) << zeros << quarters << zeros;
    QTest::newRow("inverse of the impulse's transform")
        << true << quarters << zeros << QVector<float>({1, 0, 0, 0}) << zeros;
    QTest::newRow("shifted impulse turns clockwise")
        << false << QVector<float>({0, 1, 0, 0}) << zeros << QVector<float>({0.25f, 0, -0.25f, 0})
        << QVector<float>({0, -0.25f, 0, 0.25f});
    QTest::newRow("one value") << false << QVector<float>({3}) << QVector<float>({2})
                               << QVector<float>({3}) << QVector<float>({2});
    QTest::newRow("three values are refused")
        << false << QVector<float>({1, 2, 3}) << QVector<float>({4, 5, 6})
        << QVector<float>({1, 2, 3}) << QVector<float>({4, 5, 6});
}

void TestMath::fft()
{
    QFETCH(bool, inverse);
    QFETCH(QVector<float>, re);
    QFETCH(QVector<float>, im);
    QFETCH(QVector<float>, expectedRe);
    QFETCH(QVector<float>, expectedIm);
    (inverse ? Math::ifft : Math::fft)(re.size(), re.data(), im.data());
    for (int k = 0; k < re.size(); ++k) {
        QVERIFY2(std::abs(re[k] - expectedRe[k]) < 1e-7f, describe(re[k], expectedRe[k]));
        QVERIFY2(std::abs(im[k] - expectedIm[k]) < 1e-7f, describe(im[k], expectedIm[k]));
    }
}

void TestMath::inverseUndoesForward()
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> sample(-1, 1);
    QVector<float> re(1024), im(1024);
    for (int k = 0; k < re.size(); ++k) {
        re[k] = sample(random);
        im[k] = sample(random);
    }
    const QVector<float> original = re + im;
    Math::fft(re.size(), re.data(), im.data());
    Math::ifft(re.size(), re.data(), im.data());
    const QVector<float> back = re + im;
    for (int k = 0; k < back.size(); ++k)
        QVERIFY2(std::abs(back[k] - original[k]) < 1e-5f, describe(back[k], original[k]));
}

// Later objects and lutInit change neither the precision nor a table entry.
void TestMath::tablesAreFilledOnce()
{
    const auto sines = Math::sm_fSin;
    const auto cosines = Math::sm_fCos;
    const int counter = Math::sm_nCounter;
    QVERIFY(counter >= 1);
    {
        Math later(0.5f);
        QCOMPARE(Math::sm_nCounter, counter + 1);
        QCOMPARE(Math::sm_fPrecision, 1e-10f);
        Math::lutInit();
    }
    QCOMPARE(Math::sm_nCounter, counter + 1);
    QVERIFY(Math::sm_fSin == sines);
    QVERIFY(Math::sm_fCos == cosines);

    Math::setPrecision(-1);
    QCOMPARE(Math::sm_fPrecision, 0.0f);
    QVERIFY(std::abs(Math::sinRad(1) - 0.84147098f) < 1e-7f);
    Math::setPrecision(1e-10f);
}

QTEST_GUILESS_MAIN(TestMath)
#include "test_Math.moc"
