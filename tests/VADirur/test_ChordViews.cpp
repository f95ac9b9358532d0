#include "App.h"
#include "ChordFiles.h"
#include "ChordPhotoView.h"
#include "ChordStandardView.h"
#include "ChordTabView.h"
#include "ChordView.h"

#include <QDrag>
#include <QImageReader>
#include <QMimeData>
#include <QtTest>

using namespace VADirur;

namespace {

const int side = 300;

template <class View>
QImage render(const QString& instrument, const QVector<int>& tab, const QString& name = "A")
{
    View view(nullptr);
    view.resize(side, side);
    view.setInstrumentName(instrument);
    view.setChordTabAndName(0, tab, name);
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool isDark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 100;
}

QVector<int> pianoKeys(std::initializer_list<int> pressed)
{
    QVector<int> keys(24, -1);
    for (int key : pressed)
        keys[key] = 0;
    return keys;
}

QColor meanColour(const QImage& image, const QRect& rect)
{
    qint64 r = 0, g = 0, b = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            r += qRed(pixel);
            g += qGreen(pixel);
            b += qBlue(pixel);
        }
    }
    const qint64 n = qint64(rect.width()) * rect.height();
    return QColor(int(r / n), int(g / n), int(b / n));
}

} // namespace

class TestChordViews : public QObject
{
    Q_OBJECT

private slots:
    void fretDiagramShowsTheFingering_data();
    void fretDiagramShowsTheFingering();
    void tablatureShowsTheValues();
    void photographIsTheChordsPicture();
    void photographReturnsAfterHideAndResize();
    void pianoViewsShowTheirPictures();
    void picturesFollowTheViewSize();
    void pianoTabToCode_data();
    void pianoTabToCode();
    void dragWritesChordPng();
    void protocolKeepsEachLineOnceInUtf8();
};

void TestChordViews::fretDiagramShowsTheFingering_data()
{
    QTest::addColumn<QVector<int>>("tab");
    QTest::newRow("ukulele A") << QVector<int>({2, 1, 0, 0});
    QTest::newRow("muted and high frets") << QVector<int>({-1, 0, 5, 6});
}

void TestChordViews::fretDiagramShowsTheFingering()
{
    QFETCH(QVector<int>, tab);
    const QImage image = render<ChordStandardView>(QStringLiteral("ukulele"), tab);
    const int n = tab.size();
    const int step = (side - 10) / (n + 1);
    const int fretWidth = (side - 60) / 6;
    const int d = side / 10;
    const int nutX = 30 - d - side / 40 + d / 2;
    for (int k = 0; k < n; ++k) {
        const int y = 10 + (n - k) * step;
        for (int fret = 1; fret <= 6; ++fret) {
            const int x = 30 + fret * fretWidth - fretWidth / 2;
            QCOMPARE(isDark(image, x, y - d / 4), tab.at(k) == fret);
        }
        // Left of the nut: a ring for an open string, a cross for a muted one.
        QCOMPARE(isDark(image, nutX, y - d / 2 + 1), tab.at(k) == 0);
        QCOMPARE(isDark(image, nutX, y), tab.at(k) < 0);
    }
}

void TestChordViews::tablatureShowsTheValues()
{
    // Ukulele A reads 0, 0, 1, 2 from the top line down; a muted string is blank.
    const QImage image = render<ChordTabView>(QStringLiteral("ukulele"), {2, 1, 0, 0});
    const int step = (side - 10) / 5;
    auto number = [&](const QImage& source, int line) {
        return source.copy(side / 2, 15 + line * step + 3, side / 7, side / 14 - 4);
    };
    QCOMPARE(number(image, 1), number(image, 2));
    QVERIFY(number(image, 3) != number(image, 1));
    QVERIFY(number(image, 4) != number(image, 3));
    QVERIFY(number(image, 4) != number(image, 1));
    QImage blank(number(image, 1).size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    QVERIFY(number(image, 1) != blank);

    const QImage muted = render<ChordTabView>(QStringLiteral("ukulele"), {2, 1, 0, -1});
    QCOMPARE(number(muted, 1), blank);
    QCOMPARE(number(muted, 4), number(image, 4));
}

void TestChordViews::photographIsTheChordsPicture()
{
    const QImage photo(QStringLiteral(":/") + ChordFiles::resourcePrefix()
        + ChordFiles::pictureFolder() + QStringLiteral("ukulele_2100.jpg"));
    QVERIFY(!photo.isNull());
    const QImage image = render<ChordPhotoView>(QStringLiteral("ukulele"), {2, 1, 0, 0});
    const QImage expected = photo.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_RGB32);
    const int left = (side - expected.width()) / 2;
    for (const QPoint& at : {QPoint(40, 60), QPoint(100, 150), QPoint(160, 250)}) {
        const QColor want = meanColour(expected, QRect(at, QSize(12, 12)));
        const QColor got = meanColour(image, QRect(at + QPoint(left, 0), QSize(12, 12)));
        QVERIFY2(qAbs(want.red() - got.red()) < 12 && qAbs(want.green() - got.green()) < 12,
            qPrintable(QStringLiteral("%1 vs %2").arg(want.name(), got.name())));
    }
    // A fingering without a photograph leaves the plain background.
    const QImage none = render<ChordPhotoView>(QStringLiteral("ukulele"), {9, 9, 9, 9});
    QCOMPARE(meanColour(none, none.rect()), QColor(71, 71, 71));
}

// A hidden view lets its picture go; shown again, or at a new size, it
// draws the picture anew.
void TestChordViews::photographReturnsAfterHideAndResize()
{
    ChordPhotoView view(nullptr);
    view.resize(side, side);
    view.setInstrumentName(QStringLiteral("ukulele"));
    view.setChordTabAndName(0, {2, 1, 0, 0}, QStringLiteral("A"));
    const QImage first = view.grab().toImage();
    view.show();
    view.hide();
    QCOMPARE(view.grab().toImage(), first);

    view.resize(side / 2, side / 2);
    const QImage half = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected
        = first.convertToFormat(QImage::Format_RGB32)
              .scaled(side / 2, side / 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QRect centre(side / 4 - 10, side / 4 - 10, 20, 20);
    const QColor want = meanColour(expected, centre);
    const QColor got = meanColour(half, centre);
    QVERIFY2(qAbs(want.red() - got.red()) < 16 && qAbs(want.green() - got.green()) < 16,
        qPrintable(QStringLiteral("%1 vs %2").arg(want.name(), got.name())));
}

void TestChordViews::pianoViewsShowTheirPictures()
{
    const QVector<int> a = pianoKeys({9, 13, 16});
    const QVector<int> c = pianoKeys({0, 4, 7});
    const QRect lower(0, side / 2, side, side / 2);
    const QImage staffA = render<ChordStandardView>(QStringLiteral("piano"), a).copy(lower);
    const QImage staffC = render<ChordStandardView>(QStringLiteral("piano"), c).copy(lower);
    const QImage keysA = render<ChordTabView>(QStringLiteral("piano"), a).copy(lower);
    const QImage photoA = render<ChordPhotoView>(QStringLiteral("piano"), a);
    QVERIFY(staffA != staffC);
    QVERIFY(staffA != keysA);
    QVERIFY(meanColour(staffA, staffA.rect()) != QColor(Qt::white));
    QVERIFY(meanColour(keysA, keysA.rect()) != QColor(Qt::white));
    QVERIFY(meanColour(photoA, QRect(side / 2 - 10, side / 2 - 10, 20, 20)) != QColor(71, 71, 71));

    // No picture for the code: only the white box and the name.
    const QImage none = render<ChordStandardView>(QStringLiteral("piano"), pianoKeys({}));
    QCOMPARE(meanColour(none, lower), QColor(Qt::white));
}

void TestChordViews::picturesFollowTheViewSize()
{
    const QVector<int> a = pianoKeys({9, 13, 16});
    ChordPhotoView view(nullptr);
    view.resize(side, side);
    view.setInstrumentName(QStringLiteral("piano"));
    view.setChordTabAndName(0, a, QStringLiteral("A"));
    const QImage large = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(view.grab().toImage().convertToFormat(QImage::Format_RGB32), large);

    view.resize(side / 2, side);
    const QImage narrow = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ChordPhotoView fresh(nullptr);
    fresh.resize(side / 2, side);
    fresh.setInstrumentName(QStringLiteral("piano"));
    fresh.setChordTabAndName(0, a, QStringLiteral("A"));
    QCOMPARE(narrow, fresh.grab().toImage().convertToFormat(QImage::Format_RGB32));

    view.resize(side, side);
    QCOMPARE(view.grab().toImage().convertToFormat(QImage::Format_RGB32), large);
}

void TestChordViews::pianoTabToCode_data()
{
    QTest::addColumn<QVector<int>>("tab");
    QTest::addColumn<QString>("code");
    QTest::newRow("A major") << pianoKeys({9, 13, 16}) << "X0XX0XXXX0XX";
    QTest::newRow("a key in both octaves") << pianoKeys({9, 21, 13, 16}) << "X0XX0XXXX0XX";
    QTest::newRow("upper octave only") << pianoKeys({12, 16, 19}) << "0XXX0XX0XXXX";
    QTest::newRow("missing keys are not pressed")
        << QVector<int>({-1, -1, -1, -1, -1, -1, -1, -1, -1, 0, -1, -1, 0}) << "0XXXXXXXX0XX";
    QTest::newRow("empty") << QVector<int>() << "XXXXXXXXXXXX";
    QTest::newRow("only 0 is pressed")
        << QVector<int>({1, -2, 5, 0, -1, -1, -1, -1, -1, -1, -1, -1}) << "XXX0XXXXXXXX";
}

void TestChordViews::pianoTabToCode()
{
    QFETCH(QVector<int>, tab);
    QFETCH(QString, code);
    ChordStandardView view(nullptr);
    view.setChordTabAndName(0, tab, QStringLiteral("A"));
    QCOMPARE(view.pianoTabToCode(), code);
}

void TestChordViews::dragWritesChordPng()
{
    // GIVEN a diagram and no picture in the work folder
    const QString path = QDir::homePath() + QStringLiteral("/Library/Tessivar/Chord.png");
    QFile::remove(path);
    ChordStandardView view(nullptr);
    view.resize(200, 180);
    view.setInstrumentName(QStringLiteral("ukulele"));
    view.setChordTabAndName(0, {2, 1, 0, 0}, QStringLiteral("A"));
    const auto moveTo = [&view](const QPoint& at) {
        QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
    };
    // WHEN the user presses and moves no further than the drag distance
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(10, 10));
    moveTo(QPoint(10 + QApplication::startDragDistance(), 10));
    // THEN nothing is dragged
    QVERIFY(!QFile::exists(path));
    QVERIFY(!view.findChild<QDrag*>());
    // WHEN the pointer moves on beyond the drag distance
    moveTo(QPoint(60, 60));
    // THEN the picture is in the work folder as a PNG of the view
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.read().size(), QSize(200, 180));
    // AND the drag offers exactly one file URL
    QDrag* drag = view.findChild<QDrag*>();
    QVERIFY(drag);
    QCOMPARE(drag->mimeData()->urls(), QList<QUrl>({QUrl::fromLocalFile(path)}));
    QCOMPARE(drag->mimeData()->formats(), QStringList({"text/uri-list"}));
}

void TestChordViews::protocolKeepsEachLineOnceInUtf8()
{
    const QString name = QStringLiteral("protocol.txt");
    const QString line = QStringLiteral("Gr\u00f6\u00dfe \u266d");
    ChordView::optimizationProtocol(name, line);
    ChordView::optimizationProtocol(name, line);
    ChordView::optimizationProtocol(name, QStringLiteral("second"));
    ChordView::optimizationProtocol(name, line);
    QFile file(DORuverud::App::theApp()->supportDirectory() + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), line + QStringLiteral("\nsecond\n"));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    app.setResourceOffset(ChordFiles::resourcePrefix());
    TestChordViews test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ChordViews.moc"
