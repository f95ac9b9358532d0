#include "MMatrix"

#include <QtTest>

#include <functional>
#include <signal.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using Action = std::function<void()>;
Q_DECLARE_METATYPE(Action)

namespace {

QVector<int> elements(MMatrix<int>& matrix)
{
    QVector<int> all;
    for (int i = 0; i < matrix.nrows(); ++i) {
        for (int j = 0; j < matrix.ncols(); ++j)
            all << matrix.getElement(i, j);
    }
    return all;
}

MMatrix<int> matrix(int n, int m, QVector<int> values)
{
    return MMatrix<int>(values.data(), n, m);
}

// Runs the action in a child process; returns what it wrote to the error
// stream, or an empty text when it did not abort.
QByteArray abortMessage(const Action& action)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        const rlimit noCore = {0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        dup2(fds[1], STDERR_FILENO);
        action();
        _exit(0);
    }
    close(fds[1]);
    QByteArray message;
    char buffer[512];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, int(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT ? message : QByteArray();
}

} // namespace

// The dense matrix: element access, arithmetic, print and its assertions.
class TestMMatrix : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void arithmetic();
    void freeFunctions();
    void printsAlignedColumns();
    void writesOutsideAreIgnored();
    void assertions_data();
    void assertions();
};

void TestMMatrix::construction()
{
    MMatrix<int> sevens(2, 3, 7);
    QCOMPARE(sevens.nrows(), 2);
    QCOMPARE(sevens.ncols(), 3);
    QCOMPARE(elements(sevens), QVector<int>(6, 7));

    float data[] = {1, 2, 3, 4};
    const MMatrix<float> fromData(data, 2, 2);
    QCOMPARE(fromData(0, 1), 2.0f);
    QCOMPARE(fromData(1, 0), 3.0f);

    MMatrix<int> copy(sevens);
    copy.setElement(0, 0, 1);
    QCOMPARE(sevens.getElement(0, 0), 7);
    QCOMPARE(MMatrix<int>(0, 4, 1).nrows(), 0);
}

void TestMMatrix::arithmetic()
{
    MMatrix<int> a = matrix(2, 3, {1, 2, 3, 4, 5, 6});
    MMatrix<int> product = a * matrix(3, 2, {7, 8, 9, 10, 11, 12});
    QCOMPARE(elements(product), QVector<int>({58, 64, 139, 154}));
    MMatrix<int> one = matrix(1, 1, {2}) * matrix(1, 1, {3});
    QCOMPARE(elements(one), QVector<int>({6}));
    MMatrix<int> sum = a + a * 2;
    QCOMPARE(elements(sum), QVector<int>({3, 6, 9, 12, 15, 18}));
    MMatrix<int> difference = sum - a;
    QCOMPARE(elements(difference), QVector<int>({2, 4, 6, 8, 10, 12}));
    QCOMPARE(elements((a += a) -= difference), QVector<int>(6, 0));
}

void TestMMatrix::freeFunctions()
{
    float identity[] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    float values[] = {1, -2, 3, 4.5f, 5, 6, -7, 8, 9};
    const MMatrix<float> a(identity, 3, 3);
    const MMatrix<float> b(values, 3, 3);
    MMatrix<float> c(3, 3, 0);
    mult(a, b, c);
    MMatrix<float> half(values, 3, 3);
    scale(half, 0.5f);
    for (int k = 0; k < 9; ++k) {
        QCOMPARE(c(k / 3, k % 3), values[k]);
        QCOMPARE(half(k / 3, k % 3), values[k] * 0.5f);
    }
}

void TestMMatrix::printsAlignedColumns()
{
    std::ostringstream out;
    std::streambuf* const saved = std::cout.rdbuf(out.rdbuf());
    matrix(2, 2, {1, 22, 333, 4}).print(4);
    std::cout.rdbuf(saved);
    QCOMPARE(QString::fromStdString(out.str()), QStringLiteral("\n   1   22 \n 333    4 \n"));
}

void TestMMatrix::writesOutsideAreIgnored()
{
    MMatrix<int> m(2, 2, 0);
    m.setElement(-1, 0, 5);
    m.setElement(0, 2, 5);
    m.setElement(2, 0, 5);
    m.init(QVector<int>(9, 5).data(), 3, 3);
    QCOMPARE(elements(m), QVector<int>(4, 5));
}

void TestMMatrix::assertions_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QByteArray>("reported");
    const QByteArray index = "Assertion `!((i >= m_nN) || (j >= m_nM))' failed.";
    const QByteArray size = "Assertion `!((matrM.m_nN != m_nN) || (matrM.m_nM != m_nM))' failed.";
    QTest::newRow("getElement past the last row")
        << Action([] { MMatrix<int>(2, 3, 7).getElement(2, 0); }) << "getElement: " + index;
    QTest::newRow("operator() past the last column")
        << Action([] { MMatrix<float>(1, 1, 0)(0, 1); }) << "operator(): " + index;
    QTest::newRow("negative index")
        << Action([] { MMatrix<int>(2, 3, 7).getElement(-1, 0); })
        << QByteArray("getElement: Assertion `!((i < 0) || (j < 0))' failed.");
    QTest::newRow("sum of transposed shapes")
        << Action([] { MMatrix<int>(2, 3, 1) + MMatrix<int>(3, 2, 1); }) << "operator+: " + size;
    QTest::newRow("difference of shapes")
        << Action([] { MMatrix<int>(2, 3, 1) - MMatrix<int>(2, 2, 1); }) << "operator-: " + size;
    QTest::newRow("added in place") << Action([] {
        MMatrix<int> a(2, 3, 1);
        a += MMatrix<int>(3, 2, 1);
    }) << "operator+=: " + size;
    QTest::newRow("subtracted in place") << Action([] {
        MMatrix<int> a(2, 3, 1);
        a -= MMatrix<int>(1, 3, 1);
    }) << "operator-=: " + size;
    QTest::newRow("product of mismatched shapes")
        << Action([] { MMatrix<int>(2, 3, 1) * MMatrix<int>(2, 3, 1); })
        << QByteArray("operator*: Assertion `!(matrM.m_nN != m_nM)' failed.");
}

void TestMMatrix::assertions()
{
    QFETCH(Action, action);
    QFETCH(QByteArray, reported);
    const QByteArray message = abortMessage(action);
    QVERIFY2(message.contains("libs/cpp/ZAruri/MMatrix:"), message);
    QVERIFY2(message.contains(reported), message);
}

QTEST_GUILESS_MAIN(TestMMatrix)
#include "test_MMatrix.moc"
