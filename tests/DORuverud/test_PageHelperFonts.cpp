#include "../common/HostileHtml.h"
#include "PageRequest.h"
#include "PageTrial.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QFontDatabase>
#include <QTest>

// The page helper lays code out in the fixed font of the program's display,
// not in a default face of its own: a page of code that wraps measures as
// tall in the helper as in the window only where the fonts are the same.
class TestPageHelperFonts : public QObject
{
    Q_OBJECT

private slots:
    void helperLaysOutCodeAsTheWindowDoes_data()
    {
        QTest::addColumn<QByteArray>("page");
        const QByteArray words = HostileHtml::repeated("iiiiii ", 400);
        QTest::newRow("code") << "<p><code>" + words + "</code></p>";
        QTest::newRow("teletype text in a list") << "<ul><li><tt>" + words + "</tt></li></ul>";
    }

    void helperLaysOutCodeAsTheWindowDoes()
    {
        QFETCH(QByteArray, page);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(14);
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        QVERIFY2(QFontInfo(fixed).family() != QFontInfo(font).family(),
            qPrintable(QFontInfo(fixed).family()));
        // GIVEN a page of code, and the window's document of it
        TextEditDocument window;
        window.setDefaultFont(font);
        window.setHtml(QString::fromUtf8(page));
        window.setTextWidth(PageRequest::width);
        // WHEN the helper tries it
        PageRequest request;
        request.fileName = QStringLiteral("page.html");
        request.font = font;
        request.fixedFont = fixed;
        TextEditDocument pictures;
        const PageTrial::Result result = PageTrial::tried(
            request, page, &pictures, TextEditReader::maxHeight, nullptr, nullptr);
        // THEN it measures the height the window lays it out at
        QVERIFY2(result.refusal.isEmpty(), qPrintable(result.refusal));
        QCOMPARE(qRound(result.height), qRound(window.size().height()));
    }
};

QTEST_MAIN(TestPageHelperFonts)
#include "test_PageHelperFonts.moc"
