#include "../common/PaintedParts.h"
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

// How a chord view sets out its three pictures.
enum Arrangement { InColumn, PhotoBeside, InRow };

QString describe(const QRect& box)
{
    return QStringLiteral("%1,%2 %3×%4")
        .arg(box.x())
        .arg(box.y())
        .arg(box.width())
        .arg(box.height());
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

// A fret diagram as painted: its string lines top down, its fret lines left
// to right, the title and fret numbers, and each dot, ring and cross centre.
struct Grid
{
    explicit Grid(const QList<PaintedParts::Part>& parts)
    {
        for (const PaintedParts::Part& part : parts) {
            const QPoint centre = part.box.center();
            if (part.kind == PaintedParts::Kind::Line && part.line.dy() == 0)
                strings << centre.y();
            else if (part.kind == PaintedParts::Kind::Line && part.line.dx() == 0)
                addFret(part.box);
            else if (part.kind == PaintedParts::Kind::Line && part.line.dx() * part.line.dy() > 0)
                markers.append({QStringLiteral("cross"), centre});
            else if (part.kind == PaintedParts::Kind::Ellipse)
                markers.append(
                    {part.filled ? QStringLiteral("dot") : QStringLiteral("ring"), centre});
            else if (part.kind == PaintedParts::Kind::Text && part.text != QLatin1String("A"))
                labels << part;
        }
        std::sort(strings.begin(), strings.end());
        std::sort(frets.begin(), frets.end());
    }

    // The nut is drawn over the window's first line.
    void addFret(const QRect& box)
    {
        fretBottom = box.bottom();
        if (!frets.contains(box.center().x())) {
            frets << box.center().x();
            fretWidth = box.width();
        }
        nutWidth = qMax(nutWidth, box.width());
    }

    int stringAt(int y) const
    {
        int nearest = 0;
        for (int i = 1; i < strings.size(); ++i) {
            if (qAbs(strings.at(i) - y) < qAbs(strings.at(nearest) - y))
                nearest = i;
        }
        return nearest;
    }

    int fretsLeftOf(int x) const
    {
        return int(std::count_if(frets.begin(), frets.end(), [x](int fret) { return fret < x; }));
    }

    QList<int> strings;
    QList<int> frets;
    QList<QPair<QString, QPoint>> markers;
    QList<PaintedParts::Part> labels;
    int fretWidth = 0;
    int nutWidth = 0;
    int fretBottom = 0;
};

} // namespace

Q_DECLARE_METATYPE(Arrangement)

class TestChordViews : public QObject
{
    Q_OBJECT

private slots:
    void fretDiagramShowsTheFingering_data();
    void fretDiagramShowsTheFingering();
    void fretDiagramForgetsTheChordBefore_data();
    void fretDiagramForgetsTheChordBefore();
    void paneShapeArrangesTheDrawings_data();
    void paneShapeArrangesTheDrawings();
    void tablatureShowsTheValues_data();
    void tablatureShowsTheValues();
    void photographIsTheChordsPicture();
    void photographReturnsAfterHideAndResize();
    void pianoViewsShowTheirPictures();
    void picturesFollowTheViewSize();
    void keyboardNamesThePressedKeys_data();
    void keyboardNamesThePressedKeys();
    void pianoTabToCode_data();
    void pianoTabToCode();
    void dragWritesChordPng();
    void protocolKeepsEachLineOnceInUtf8();
};

void TestChordViews::fretDiagramShowsTheFingering_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QVector<int>>("tab");
    QTest::addColumn<QStringList>("labels");
    const QStringList one = {"1", "2", "3", "4", "5", "6"};
    QTest::newRow("ukulele A") << "ukulele" << QVector<int>({2, 1, 0, 0}) << one;
    QTest::newRow("muted and high frets") << "ukulele" << QVector<int>({-1, 0, 5, 6}) << one;
    QTest::newRow("bass2 window 5 to 12")
        << "bass2" << QVector<int>({9, 7, 7, 6})
        << QStringList({"5", "6", "7", "8", "9", "10", "11", "12"});
    QTest::newRow("bass2 open and muted")
        << "bass2" << QVector<int>({-1, 0, 12, 5})
        << QStringList({"5", "6", "7", "8", "9", "10", "11", "12"});
    QTest::newRow("banjo drone open") << "banjo" << QVector<int>({0, 2, 2, 2, 2}) << one;
    QTest::newRow("guitar up the neck, from its lowest fret")
        << "guitar" << QVector<int>({4, 4, 6, 6, 7, 4})
        << QStringList({"4", "5", "6", "7", "8", "9"});
    QTest::newRow("balalaika up to fret 11") << "balalaika" << QVector<int>({7, 11, 8})
                                             << QStringList({"7", "8", "9", "10", "11", "12"});
    QTest::newRow("mandolin up the neck with an open string")
        << "mandolin" << QVector<int>({0, 6, 7, 7})
        << QStringList({"6", "7", "8", "9", "10", "11"});
}

// The fingering, read from what the diagram paints: a dot's string is the
// nearest string line, its fret the count of fret lines left of it; a ring
// left of the nut reads 0, a cross -1. The fret numbers stand each under its
// own space, apart from the grid.
void TestChordViews::fretDiagramShowsTheFingering()
{
    QFETCH(QString, instrument);
    QFETCH(QVector<int>, tab);
    QFETCH(QStringList, labels);
    ChordStandardView view(nullptr);
    view.resize(side, side);
    view.setInstrumentName(instrument);
    view.setChordTabAndName(0, tab, QStringLiteral("A"));
    const Grid grid(PaintedParts(&view).parts);
    const int offset = labels.first().toInt() - 1;

    QVector<int> shown(tab.size(), 99);
    for (const auto& marker : grid.markers) {
        const int k = tab.size() - 1 - grid.stringAt(marker.second.y());
        const int lines = grid.fretsLeftOf(marker.second.x());
        shown[k] = marker.first == "dot" ? lines + offset : (marker.first == "ring" ? 0 : -1);
        if (marker.first != "dot")
            QCOMPARE(lines, 0);
    }
    QCOMPARE(shown, tab);
    QCOMPARE(grid.frets.size(), labels.size() + 1);
    for (int j = 0; j < grid.labels.size(); ++j) {
        QCOMPARE(grid.labels.at(j).text, labels.at(j));
        QVERIFY(grid.frets.at(j) < grid.labels.at(j).box.left());
        QVERIFY(grid.labels.at(j).box.right() < grid.frets.at(j + 1));
        QVERIFY(grid.labels.at(j).box.top() > grid.strings.last() + 2);
    }
    QCOMPARE(grid.labels.size(), labels.size());
    // The nut is a thick line where the window starts at it, never for bass2; the banjo's
    // frets stop above its drone string.
    QCOMPARE(grid.nutWidth > grid.fretWidth, labels.first() == QLatin1String("1"));
    QCOMPARE(grid.fretBottom < grid.strings.last(), instrument == QLatin1String("banjo"));
}

void TestChordViews::fretDiagramForgetsTheChordBefore_data()
{
    QTest::addColumn<QVector<int>>("before");
    QTest::addColumn<QSize>("sizeBefore");
    QTest::addColumn<QVector<int>>("tab");
    const QVector<int> a = {0, 0, 2, 2, 2, 0};
    const QVector<int> beyond = {4, 4, 6, 6, 7, 4};
    QTest::newRow("a fret beyond the window after one within") << a << QSize(side, side) << beyond;
    QTest::newRow("frets within the window after one beyond") << beyond << QSize(side, side) << a;
    QTest::newRow("the same chord after another size") << a << QSize(side * 2, side) << a;
}

// A chord draws the same in a view that drew another chord, or at another
// size, before it as in a new view.
void TestChordViews::fretDiagramForgetsTheChordBefore()
{
    QFETCH(QVector<int>, before);
    QFETCH(QSize, sizeBefore);
    QFETCH(QVector<int>, tab);
    ChordStandardView view(nullptr);
    view.resize(sizeBefore);
    view.setInstrumentName(QStringLiteral("guitar"));
    view.setChordTabAndName(0, before, QStringLiteral("A"));
    view.grab();
    view.resize(side, side);
    view.setChordTabAndName(1, tab, QStringLiteral("A"));
    const QImage drawn = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(drawn, render<ChordStandardView>(QStringLiteral("guitar"), tab));
}

void TestChordViews::paneShapeArrangesTheDrawings_data()
{
    QTest::addColumn<QList<QSize>>("sizes");
    QTest::addColumn<Arrangement>("arrangement");
    QTest::newRow("wide pane") << QList<QSize>({{900, 400}}) << PhotoBeside;
    QTest::newRow("pictures wider than high") << QList<QSize>({{700, 600}}) << PhotoBeside;
    QTest::newRow("portrait pane") << QList<QSize>({{400, 1000}}) << InColumn;
    QTest::newRow("portrait, then wide") << QList<QSize>({{400, 1000}, {900, 400}}) << PhotoBeside;
    QTest::newRow("wide and short pane") << QList<QSize>({{2000, 300}}) << InRow;
    QTest::newRow("wide and short, then wide")
        << QList<QSize>({{2000, 300}, {900, 400}}) << PhotoBeside;
    QTest::newRow("portrait, then wide and short")
        << QList<QSize>({{400, 1000}, {2000, 300}}) << InRow;
}

// Side by side in a wide pane, the diagram over the tablature beside the
// photograph; where the pictures' room is higher than wide, all three in one
// column, each as wide as the column and a third of its height; in a pane
// much wider than high, all three in a row, each as high as the pane and
// about as wide as the others.
void TestChordViews::paneShapeArrangesTheDrawings()
{
    QFETCH(QList<QSize>, sizes);
    QFETCH(Arrangement, arrangement);
    ChordView view(nullptr);
    view.setInstrumentName(QStringLiteral("piano"));
    view.show();
    for (const QSize& size : sizes) {
        view.resize(size);
        QTRY_COMPARE(view.size(), size);
        QCoreApplication::processEvents();
    }
    const QRect standard = view.findChild<ChordStandardView*>()->geometry();
    const QRect tab = view.findChild<ChordTabView*>()->geometry();
    const QRect photo = view.findChild<ChordPhotoView*>()->geometry();
    const QString sizesSeen
        = QStringLiteral("%1 %2 %3").arg(describe(standard), describe(tab), describe(photo));
    if (arrangement == InRow) {
        QVERIFY2(
            tab.left() > standard.right() && photo.left() > tab.right(), qPrintable(sizesSeen));
        QCOMPARE(tab.height(), standard.height());
        QCOMPARE(photo.height(), standard.height());
        QVERIFY2(standard.height() >= sizes.last().height() - 30, qPrintable(sizesSeen));
        QVERIFY2(qAbs(photo.width() - standard.width()) <= 8
                && qAbs(tab.width() - standard.width()) <= 8,
            qPrintable(sizesSeen));
        return;
    }
    QVERIFY(tab.top() > standard.bottom());
    QCOMPARE(tab.width(), standard.width());
    if (arrangement == InColumn) {
        QVERIFY(photo.top() > tab.bottom());
        QCOMPARE(photo.width(), standard.width());
        QVERIFY2(qAbs(photo.height() - standard.height()) <= 8, qPrintable(sizesSeen));
    } else {
        QVERIFY(photo.left() > standard.right());
        QVERIFY(photo.height() > standard.height() + tab.height());
    }
}

void TestChordViews::tablatureShowsTheValues_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QVector<int>>("tab");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("ukulele A") << "ukulele" << QVector<int>({2, 1, 0, 0})
                               << QStringList({"0", "0", "1", "2"});
    QTest::newRow("muted string blank")
        << "ukulele" << QVector<int>({2, 1, 0, -1}) << QStringList({"", "0", "1", "2"});
    QTest::newRow("guitar with two digits") << "guitar" << QVector<int>({-1, 10, 12, 11, 10, 0})
                                            << QStringList({"0", "10", "11", "12", "10", ""});
    QTest::newRow("balalaika") << "balalaika" << QVector<int>({2, 2, 0})
                               << QStringList({"0", "2", "2"});
}

// The values read from what the tablature paints, top line down: each number
// with its ink centred on its line and its left edge at the middle of the view.
void TestChordViews::tablatureShowsTheValues()
{
    QFETCH(QString, instrument);
    QFETCH(QVector<int>, tab);
    QFETCH(QStringList, shown);
    ChordTabView view(nullptr);
    view.resize(side, side);
    view.setInstrumentName(instrument);
    view.setChordTabAndName(0, tab, QStringLiteral("A"));
    const QList<PaintedParts::Part> parts = PaintedParts(&view).parts;
    QList<int> strings;
    for (const PaintedParts::Part& part : parts) {
        if (part.kind == PaintedParts::Kind::Line && part.line.dy() == 0
            && !strings.contains(part.box.center().y()))
            strings << part.box.center().y();
    }
    std::sort(strings.begin(), strings.end());
    QCOMPARE(strings.size(), tab.size());
    QVector<QString> read(tab.size());
    static const QRegularExpression number(QStringLiteral("^\\d+$"));
    for (const PaintedParts::Part& part : parts) {
        if (part.kind != PaintedParts::Kind::Text || !number.match(part.text).hasMatch())
            continue;
        const int middle = part.box.center().y();
        const auto nearest = std::min_element(strings.begin(), strings.end(),
            [middle](int a, int b) { return qAbs(a - middle) < qAbs(b - middle); });
        QVERIFY2(qAbs(*nearest - middle) <= 2, qPrintable(part.text));
        QVERIFY(part.box.left() >= side / 2 && part.box.left() <= side / 2 + 4);
        read[int(nearest - strings.begin())] = part.text;
    }
    QCOMPARE(read.toList(), shown);
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

void TestChordViews::keyboardNamesThePressedKeys_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QVector<int>>("tab");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("underTheirKeys");
    // The book's index: root (A, A♭, B, B♭, C, D, D♭, E, E♭, F, G, G♭) * 11 + type.
    QTest::newRow("A major") << 0 << pianoKeys({9, 13, 16}) << "A"
                             << QStringList({"A", "C\u266F", "E"}) << true;
    QTest::newRow("flat root spelt with flats")
        << 21 << pianoKeys({8, 13, 15}) << "A\u266Dsus4"
        << QStringList({"A\u266D", "D\u266D", "E\u266D"}) << false;
    QTest::newRow("the same keys named with a sharp root")
        << 21 << pianoKeys({8, 13, 15}) << "G #sus4"
        << QStringList({"G\u266F", "C\u266F", "D\u266F"}) << false;
    QTest::newRow("C flat is B's keys") << 22 << pianoKeys({11, 15, 18}) << "C\u266D"
                                        << QStringList({"C\u266D", "E\u266D", "G\u266D"}) << true;
    QTest::newRow("a name of another root spelt from the book's")
        << 0 << pianoKeys({9, 13, 16}) << "Gm" << QStringList({"A", "C\u266F", "E"}) << true;
}

// After the title, "C3" and "C4" over the keys, then the name of each
// pressed key, left to right, spelt from the root the title names; each
// under the dot on its key where its neighbours leave room.
void TestChordViews::keyboardNamesThePressedKeys()
{
    QFETCH(int, index);
    QFETCH(QVector<int>, tab);
    QFETCH(QString, name);
    QFETCH(QStringList, names);
    QFETCH(bool, underTheirKeys);
    ChordTabView view(nullptr);
    view.resize(2 * side, side * 2 / 3);
    view.setInstrumentName(QStringLiteral("piano"));
    view.setChordTabAndName(index, tab, name);
    QStringList texts;
    QList<QRect> boxes;
    QList<int> dots;
    for (const PaintedParts::Part& part : PaintedParts(&view).parts) {
        if (part.kind == PaintedParts::Kind::Text) {
            texts << part.text;
            boxes << part.box;
        } else if (part.kind == PaintedParts::Kind::Ellipse) {
            dots << part.box.center().x();
        }
    }
    QCOMPARE(texts, QStringList({name, "C3", "C4"}) + names);
    QVERIFY(boxes.at(1).bottom() < boxes.at(3).top());
    QCOMPARE(dots.size(), names.size());
    std::sort(dots.begin(), dots.end());
    for (int i = 0; i < names.size(); ++i) {
        const QRect& box = boxes.at(3 + i);
        QVERIFY(i == 0 || boxes.at(2 + i).right() < box.left());
        if (underTheirKeys)
            QVERIFY2(qAbs(box.center().x() - dots.at(i)) <= 2, qPrintable(names.at(i)));
    }
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
