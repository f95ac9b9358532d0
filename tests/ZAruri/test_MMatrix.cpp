#include "MMatrix"
#include "StreamCapture.h"

#include <QtTest>

#include <functional>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using Action = std::function<void()>;
Q_DECLARE_METATYPE(Action)

namespace {

template <class T> QVector<T> elements(const MMatrix<T>& matrix)
{
    QVector<T> all;
    for (int k = 0; k < matrix.nrows() * matrix.ncols(); ++k)
        all << matrix(k / matrix.ncols(), k % matrix.ncols());
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
    void arithmetic()
    {
        MMatrix<int> a = matrix(2, 3, {1, 2, 3, 4, 5, 6});
        QCOMPARE(elements(MMatrix<int>(2, 3, 7)), QVector<int>(6, 7));
        QCOMPARE(
            elements(a * matrix(3, 2, {7, 8, 9, 10, 11, 12})), QVector<int>({58, 64, 139, 154}));
        MMatrix<int> sum = a + a * 2;
        QCOMPARE(elements(sum), QVector<int>({3, 6, 9, 12, 15, 18}));
        MMatrix<int> difference = sum - a;
        QCOMPARE(elements(difference), QVector<int>({2, 4, 6, 8, 10, 12}));
        MMatrix<int> copy(a);
        QCOMPARE(elements((copy += a) -= difference), QVector<int>(6, 0));
        QCOMPARE(a(0, 0), 1);

        float values[] = {1, -2, 3, 4.5f, 5, 6, -7, 8, 9};
        const MMatrix<float> b(values, 3, 3);
        MMatrix<float> product(3, 3, 0), half(b);
        mult(MMatrix<float>(QVector<float>({1, 0, 0, 0, 1, 0, 0, 0, 1}).data(), 3, 3), b, product);
        scale(half, 0.5f);
        QCOMPARE(elements(product), elements(b));
        QCOMPARE(elements(half), elements(b * 0.5f));
    }

    void printsAlignedColumns()
    {
        StreamCapture out(std::cout);
        matrix(2, 2, {1, 22, 333, 4}).print(4);
        QCOMPARE(out.text(), QByteArray("\n   1   22 \n 333    4 \n"));
    }

    void writesOutsideAreIgnored()
    {
        MMatrix<int> m(2, 2, 0);
        m.setElement(-1, 0, 5);
        m.setElement(0, 2, 5);
        m.setElement(2, 0, 5);
        QCOMPARE(elements(m), QVector<int>(4, 0));
        m.init(QVector<int>(9, 5).data(), 3, 3);
        QCOMPARE(elements(m), QVector<int>(4, 5));
    }

    void assertions_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QByteArray>("reported");
        const QByteArray index = "Assertion `!((i >= m_nN) || (j >= m_nM))' failed.";
        const QByteArray size
            = "Assertion `!((matrM.m_nN != m_nN) || (matrM.m_nM != m_nM))' failed.";
        const MMatrix<int> wide(2, 3, 1), tall(3, 2, 1);
        QTest::newRow("getElement past the last row")
            << Action([] { MMatrix<int>(2, 3, 7).getElement(2, 0); }) << "getElement: " + index;
        QTest::newRow("operator() past the last column")
            << Action([] { MMatrix<float>(1, 1, 0)(0, 1); }) << "operator(): " + index;
        QTest::newRow("negative index")
            << Action([] { MMatrix<int>(2, 3, 7).getElement(-1, 0); })
            << QByteArray("getElement: Assertion `!((i < 0) || (j < 0))' failed.");
        QTest::newRow("sum of transposed shapes")
            << Action([=] { wide + tall; }) << "operator+: " + size;
        QTest::newRow("difference of shapes")
            << Action([=] { wide - tall; }) << "operator-: " + size;
        QTest::newRow("added in place")
            << Action([=] { MMatrix<int>(wide) += tall; }) << "operator+=: " + size;
        QTest::newRow("subtracted in place")
            << Action([=] { MMatrix<int>(wide) -= tall; }) << "operator-=: " + size;
        QTest::newRow("product of mismatched shapes")
            << Action([=] { wide* wide; })
            << QByteArray("operator*: Assertion `!(matrM.m_nN != m_nM)' failed.");
    }
    void assertions()
    {
        QFETCH(Action, action);
        QFETCH(QByteArray, reported);
        const QByteArray message = abortMessage(action);
        QVERIFY2(
            message.contains("libs/cpp/ZAruri/MMatrix:") && message.contains(reported), message);
    }
};

QTEST_GUILESS_MAIN(TestMMatrix)
#include "test_MMatrix.moc"
