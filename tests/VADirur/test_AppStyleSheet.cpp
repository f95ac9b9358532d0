#include "App.h"
#include "AppStyleSheet.h"

#include <QFile>
#include <QPushButton>
#include <QtEndian>
#include <QtTest>

using VADirur::AppStyleSheet;

class TestAppStyleSheet : public QObject
{
    Q_OBJECT

private slots:
    void sizesForTheScreen_data();
    void sizesForTheScreen();
    void buttonsTakeTheirSizesFromTheSheet();
    void everyNamedPictureIsInTheResourceTree();
    void namedPicturesAreStoredUnfiltered();
};

namespace {

// The filter byte of every row of an 8-bit, non-interlaced PNG; empty for
// anything else or a file that does not inflate to its rows.
QByteArray rowFilters(const QByteArray& png)
{
    const int bytesPerPixel[] = {1, 0, 3, 0, 2, 0, 4};
    QByteArray rows;
    quint32 width = 0, height = 0, pixelBytes = 0;
    for (int at = 8; at + 12 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray type = png.mid(at + 4, 4);
        const QByteArray data = png.mid(at + 8, int(length));
        if (type == "IHDR" && data.size() == 13 && data.at(8) == 8 && data.at(12) == 0
            && quint8(data.at(9)) <= 6) {
            width = qFromBigEndian<quint32>(data.constData());
            height = qFromBigEndian<quint32>(data.constData() + 4);
            pixelBytes = quint32(bytesPerPixel[int(data.at(9))]);
        } else if (type == "IDAT") {
            rows += data;
        }
        at += 12 + int(length);
    }
    const quint32 stride = 1 + width * pixelBytes;
    if (pixelBytes == 0 || height == 0 || stride * height > 64u << 20)
        return {};
    QByteArray sized(4, '\0');
    qToBigEndian(stride * height, sized.data());
    const QByteArray pixels = qUncompress(sized + rows);
    if (quint32(pixels.size()) != stride * height)
        return {};
    QByteArray filters;
    for (quint32 y = 0; y < height; ++y)
        filters += pixels.at(int(y * stride));
    return filters;
}

} // namespace

void TestAppStyleSheet::sizesForTheScreen_data()
{
    QTest::addColumn<bool>("pocket");
    QTest::addColumn<QString>("panelButton");
    QTest::addColumn<QString>("transposerFont");

    QTest::newRow("desktop") << false << "min-width: 32px; min-height: 32px;"
                             << "bold 14px";
    QTest::newRow("pocket device") << true << "min-width: 28px; min-height: 28px;"
                                   << "bold 11px";
}

// Every placeholder is filled; the panel buttons and the transposer's font
// follow the screen.
void TestAppStyleSheet::sizesForTheScreen()
{
    QFETCH(bool, pocket);
    QFETCH(QString, panelButton);
    QFETCH(QString, transposerFont);

    const QString sheet = AppStyleSheet::filled(pocket);
    QVERIFY(!sheet.contains(QStringLiteral("<!")) && !sheet.contains(QStringLiteral("!>")));
    QVERIFY(sheet.contains(panelButton));
    QVERIFY(sheet.contains(
        QStringLiteral("QPushButton#TransposerButton {\n    border: 1px solid gray; font: ")
        + transposerFont));
    // The application uses the sheet of its own screen.
    QCOMPARE(
        AppStyleSheet::text(), AppStyleSheet::filled(DORuverud::App::theApp()->isPocketDevice()));
}

void TestAppStyleSheet::buttonsTakeTheirSizesFromTheSheet()
{
    // GIVEN the finished sheet on the application
    qApp->setStyleSheet(AppStyleSheet::filled(false));

    // WHEN buttons carry the names the sheet addresses
    QPushButton play;
    play.setObjectName(QStringLiteral("PlayButton"));
    QPushButton panel(QStringLiteral("A"));
    panel.setObjectName(QStringLiteral("PanelButton"));
    play.ensurePolished();
    panel.ensurePolished();

    // THEN they take the sheet's sizes
    QCOMPARE(play.maximumSize(), QSize(48, 48));
    QCOMPARE(play.minimumSize(), QSize(48, 48));
    QVERIFY(panel.minimumSizeHint().width() >= 32);
    QVERIFY(panel.minimumSizeHint().height() >= 32);
    qApp->setStyleSheet(QString());
}

void TestAppStyleSheet::everyNamedPictureIsInTheResourceTree()
{
    // The instrument selector's 21 images and the rest.
    const QStringList names = AppStyleSheet::imageNames();
    QCOMPARE(names.filter(QStringLiteral("Item")).size(), 21);
    for (const QString& name : names) {
        const QImage image(QStringLiteral(":/") + name);
        QVERIFY2(!image.isNull(), qPrintable(name));
    }
}

// The sheet's pictures are read while the first frame is built; rows
// stored without a filter inflate straight into pixels.
void TestAppStyleSheet::namedPicturesAreStoredUnfiltered()
{
    for (const QString& name : AppStyleSheet::imageNames()) {
        QFile file(QStringLiteral(":/") + name);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray filters = rowFilters(file.readAll());
        QVERIFY2(!filters.isEmpty(), qPrintable(name));
        QVERIFY2(filters.count('\0') == filters.size(), qPrintable(name));
    }
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAppStyleSheet test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AppStyleSheet.moc"
