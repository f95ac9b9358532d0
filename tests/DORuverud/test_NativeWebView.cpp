#include "NativeWebView.h"
#include "NativeWebViewInternal.h"
#include "WebViewCreator.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <QtTest>

#include <unistd.h>

using namespace DORuverud;

class TestNativeWebView : public QObject
{
    Q_OBJECT

private slots:
    void fillsItsParentAndLoadsAPage()
    {
        // GIVEN a web view inside a 400 x 300 window
        QWidget window;
        window.resize(400, 300);
        auto* view = new NativeWebView(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        window.show();
        auto* page = view->findChild<NativeWebViewInternal*>();
        QVERIFY(page);
        QTRY_COMPARE_WITH_TIMEOUT(page->geometry(), QRect(0, 0, 400, 300), 10000);

        // WHEN it loads a local page THEN the page arrives
        QTemporaryDir dir;
        QFile file(dir.filePath("chords.html"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>Chord chart</title></head><body>Am</body></html>");
        file.close();
        QSignalSpy finished(page, &QWebEngineView::loadFinished);
        view->load(QUrl::fromLocalFile(file.fileName()).toString());
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(page->title(), QString("Chord chart"));
    }

    void translationLink_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("query");
        QTest::newRow("plain address") << "x" << QString("hl=en&u=x&sl=de&tl=en");
        QTest::newRow("address with a query")
            << "http://a.example/p?q=1&r=a b#top"
            << QString("hl=en&u=http%3A%2F%2Fa.example%2Fp%3Fq%3D1%26r%3Da%20b%23top&sl=de&tl=en");
    }

    void translationLink()
    {
        QFETCH(QString, url);
        QFETCH(QString, query);
        const QString link = WebViewInterface::translationLink(url, "de", "en");
        QCOMPARE(link, "http://translate.quelmar.example/translate?" + query);
        QCOMPARE(QUrlQuery(QUrl(link)).queryItemValue("u", QUrl::FullyDecoded), url);
    }

    void creatorClonesOnlyWebViews()
    {
        WebViewCreator::setWebView(nullptr);
        QVERIFY(!WebViewCreator::createWebView());
        QWidget plain;
        WebViewCreator::setWebView(&plain);
        QVERIFY(!WebViewCreator::createWebView());

        NativeWebView prototype;
        WebViewCreator::setWebView(&prototype);
        QScopedPointer<QWidget> clone(WebViewCreator::createWebView());
        QVERIFY(dynamic_cast<NativeWebView*>(clone.data()));
        QVERIFY(clone.data() != &prototype);
        WebViewCreator::setWebView(nullptr);
    }
};

int main(int argc, char** argv)
{
    // Chromium refuses to run as root with its sandbox, as on build machines.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestNativeWebView test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_NativeWebView.moc"
