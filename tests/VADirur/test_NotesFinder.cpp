#include "../common/LivePlayers.h"
#include "../common/SoundStartLog.h"
#include "App.h"
#include "DecoratedNotesWidget.h"
#include "MusicPagePictures.h"
#include "NotesWidget.h"
#include "PianoBoard.h"
#include "PianoKeyTable.h"
#include "PianoNotesFinder.h"
#include "PianoNotesFinderMainPage.h"
#include "PromoMenuBar.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace VADirur;
namespace Pictures = VADirur::MusicPagePictures;

namespace {

// 540 px high: a line every 20 px, a half-line every 10.
const int staffHeight = 540;

void sendMouse(QWidget* widget, QEvent::Type type, const QPoint& at)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Resizes a hidden widget and lets it take the size at once.
void layOut(QWidget* widget, int width, int height)
{
    widget->resize(width, height);
    widget->grab();
}

// Points at a half-line and lets the staff paint, which names the note.
void pointAt(NotesWidget* staff, int y)
{
    sendMouse(staff, QEvent::MouseMove, QPoint(staff->width() / 2, y));
    staff->grab();
}

QString label(NotesWidget* staff)
{
    return staff->findChild<QLabel*>(QStringLiteral("NoteLabel"))->text();
}

QString checkedSign(NotesWidget* staff)
{
    return staff->isFlat() ? QStringLiteral("flat")
        : staff->isSharp() ? QStringLiteral("sharp")
                           : QStringLiteral("natural");
}

QImage picture(const QString& name)
{
    return QImage(Pictures::resource(name)).convertToFormat(QImage::Format_RGB32);
}

// The keyboard as painted at 800 x 194, against its pictures.
QImage paintedKeyboard(PianoBoard* board)
{
    return board->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestNotesFinder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void staffNamesThePointedNote_data();
    void staffNamesThePointedNote();
    void staffSoundsTheNoteShown_data();
    void staffSoundsTheNoteShown();
    void staffShowsANoteFromOutside();
    void staffTableFollowsTheSize_data();
    void staffTableFollowsTheSize();
    void keyboardClick_data();
    void keyboardClick();
    void keyboardMarksKeys_data();
    void keyboardMarksKeys();
    void markedPixelsLieOnTheirKey();
    void finderLinksStaffAndKeyboard();
    void pageWithAndWithoutShop();
};

void TestNotesFinder::initTestCase()
{
    LivePlayers::install();
}

// Every player goes once its sound has ended.
void TestNotesFinder::cleanupTestCase()
{
    QTRY_COMPARE_WITH_TIMEOUT(LivePlayers::count(), 0, 30000);
}

void TestNotesFinder::staffNamesThePointedNote_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("solfege");

    QTest::newRow("middle C on half-line 30") << 305 << "C4"
                                              << "do4";
    QTest::newRow("A0 on half-line 53") << 535 << "A0"
                                        << "la0";
    QTest::newRow("D8 on half-line 1") << 15 << "D8"
                                       << "re8";
    QTest::newRow("E8 on half-line 0") << 5 << "E8"
                                       << "mi8";
    QTest::newRow("dragged below: G0") << 545 << "G0"
                                       << "sol0";
    QTest::newRow("dragged above keeps E8 for a half line") << -5 << "E8"
                                                            << "mi8";
    QTest::newRow("dragged further above: F8") << -15 << "F8"
                                               << "fa8";
}

void TestNotesFinder::staffNamesThePointedNote()
{
    QFETCH(int, y);
    QFETCH(QString, name);
    QFETCH(QString, solfege);
    NotesWidget staff(nullptr);
    layOut(&staff, 400, staffHeight);
    QSignalSpy changed(&staff, &NotesWidget::noteChanged);
    pointAt(&staff, y);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0], QVariantList({name, 0}));
    QCOMPARE(label(&staff),
        "<CENTER><FONT SIZE=\"10\">" + name + "</FONT><br><FONT SIZE=\"5\">(" + solfege
            + ")</FONT></CENTER>");
    // Moving within the same note names nothing new
    pointAt(&staff, y + 1);
    QCOMPARE(changed.size(), 1);
}

void TestNotesFinder::staffSoundsTheNoteShown_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("sample");

    QTest::newRow("C4") << 305 << "NaturalSignButton"
                        << "piano_440_C4.mp3";
    QTest::newRow("C sharp 4") << 305 << "SharpSignButton"
                               << "piano_440_Cd4.mp3";
    QTest::newRow("D flat 4") << 295 << "FlatSignButton"
                              << "piano_440_Cd4.mp3";
    QTest::newRow("C flat 4 is B3") << 305 << "FlatSignButton"
                                    << "piano_440_B3.mp3";
    QTest::newRow("E sharp 4 is F4") << 285 << "SharpSignButton"
                                     << "piano_440_F4.mp3";
    QTest::newRow("B sharp 3 is C4") << 315 << "SharpSignButton"
                                     << "piano_440_C4.mp3";
    QTest::newRow("A flat 0 is below the piano") << 535 << "FlatSignButton"
                                                 << "";
    QTest::newRow("C sharp 8 is above the piano") << 25 << "SharpSignButton"
                                                  << "";
    QTest::newRow("E8 is above the piano") << 5 << "NaturalSignButton"
                                           << "";
}

// A click sounds the note the staff shows, with its accidental.
void TestNotesFinder::staffSoundsTheNoteShown()
{
    QFETCH(int, y);
    QFETCH(QString, sign);
    QFETCH(QString, sample);
    NotesWidget staff(nullptr);
    layOut(&staff, 400, staffHeight);
    staff.findChild<QPushButton*>(sign)->click();
    QSignalSpy changed(&staff, &NotesWidget::noteChanged);
    pointAt(&staff, y);
    SoundStartLog log;
    sendMouse(&staff, QEvent::MouseButtonPress, QPoint(200, y));
    // Middle C natural afterwards shows that nothing sounded before it
    staff.findChild<QPushButton*>(QStringLiteral("NaturalSignButton"))->click();
    pointAt(&staff, 305);
    sendMouse(&staff, QEvent::MouseButtonPress, QPoint(200, 305));
    const QStringList expected = QStringList {sample, "piano_440_C4.mp3"}.filter(".mp3");
    QTRY_COMPARE_WITH_TIMEOUT(log.fileNames().size(), expected.size(), 10000);
    QCOMPARE(log.fileNames(), expected);
    const int accidental = sign.startsWith("Sharp") ? 1 : sign.startsWith("Flat") ? -1 : 0;
    QCOMPARE(changed.first().at(1).toInt(), accidental);
}

void TestNotesFinder::staffShowsANoteFromOutside()
{
    NotesWidget staff(nullptr);
    layOut(&staff, 400, staffHeight);
    QSignalSpy changed(&staff, &NotesWidget::noteChanged);
    // A white key moves the note and checks natural
    staff.slotShowNote("C4", 0);
    QCOMPARE(checkedSign(&staff), QStringLiteral("natural"));
    QCOMPARE(staff.nameToPos("C4"), QPoint(10, int(184 * (staffHeight / 324.f))));
    QVERIFY(changed.isEmpty());
    staff.grab();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0], QVariantList({"C4", 0}));
    // A name with a sharp sets the label and the sign but leaves the note
    staff.slotShowNote("C4#", 1);
    QCOMPARE(checkedSign(&staff), QStringLiteral("sharp"));
    QVERIFY(label(&staff).contains(">#C4#<"));
    staff.grab();
    QCOMPARE(changed.size(), 1);
}

void TestNotesFinder::staffTableFollowsTheSize_data()
{
    QTest::addColumn<int>("height");
    QTest::newRow("104 px") << 104;
    QTest::newRow("300 px") << 300;
    QTest::newRow("997 px") << 997;
}

// Every white key shown from the table is named back as itself.
void TestNotesFinder::staffTableFollowsTheSize()
{
    QFETCH(int, height);
    NotesWidget staff(nullptr);
    layOut(&staff, 400, 700);
    layOut(&staff, 400, height);
    QSignalSpy changed(&staff, &NotesWidget::noteChanged);
    for (int i = 0; i < PianoKeyTable::whiteCount; ++i) {
        const QString name = PianoKeyTable::whiteName(i);
        staff.slotShowNote(name, 0);
        staff.grab();
        QCOMPARE(changed.last().at(0).toString(), name);
    }
    QCOMPARE(changed.size(), PianoKeyTable::whiteCount);
    QCOMPARE(staff.nameToPos("D8"), QPoint(10, 0));
}

void TestNotesFinder::keyboardClick_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("accidental");
    QTest::addColumn<QString>("sample");

    QTest::newRow("C4 sharp") << 800 << QPoint(375, 100) << "C4" << 1 << "piano_440_Cd4.mp3";
    QTest::newRow("460 upper band is B4")
        << 800 << QPoint(460, 100) << "B4" << 0 << "piano_440_B4.mp3";
    QTest::newRow("460 lower band is B4")
        << 800 << QPoint(460, 120) << "B4" << 0 << "piano_440_B4.mp3";
    QTest::newRow("462 lower band is C5")
        << 800 << QPoint(462, 120) << "C5" << 0 << "piano_440_C5.mp3";
    QTest::newRow("A0 at double size")
        << 1600 << QPoint(50, 240) << "A0" << 0 << "piano_440_A0.mp3";
    QTest::newRow("gap at 42.5") << 1600 << QPoint(85, 200) << "" << 0 << "";
    QTest::newRow("lowest part of the keys") << 800 << QPoint(400, 135) << "" << 0 << "";
    QTest::newRow("above the keys") << 800 << QPoint(400, 68) << "" << 0 << "";
}

void TestNotesFinder::keyboardClick()
{
    QFETCH(int, width);
    QFETCH(QPoint, at);
    QFETCH(QString, name);
    QFETCH(QString, sample);
    PianoBoard board(nullptr);
    layOut(&board, width, 400);
    QCOMPARE(board.height(), width * 194 / 800);
    QSignalSpy changed(&board, &PianoBoard::noteChanged);
    SoundStartLog log;
    sendMouse(&board, QEvent::MouseButtonPress, at);
    if (name.isEmpty()) {
        QVERIFY(changed.isEmpty());
        return;
    }
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0].at(0).toString(), name);
    QTEST(changed[0].at(1).toInt(), "accidental");
    QTRY_COMPARE_WITH_TIMEOUT(log.fileNames(), QStringList {sample}, 10000);
}

void TestNotesFinder::keyboardMarksKeys_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("accidental");
    QTest::addColumn<int>("key");

    QTest::newRow("A0 flat is raised to key 1") << "A0" << -1 << 1;
    QTest::newRow("C4 flat is B3") << "C4" << -1 << 39;
    QTest::newRow("middle C") << "C4" << 0 << 40;
    QTest::newRow("B3 sharp is C4") << "B3" << 1 << 40;
    QTest::newRow("E4 flat") << "E4" << -1 << 43;
    QTest::newRow("C8") << "C8" << 0 << 88;
    QTest::newRow("E8 marks nothing") << "E8" << 0 << 0;
    QTest::newRow("C8 sharp marks nothing") << "C8" << 1 << 0;
}

void TestNotesFinder::keyboardMarksKeys()
{
    QFETCH(QString, name);
    QFETCH(int, accidental);
    QFETCH(int, key);
    PianoBoard board(nullptr);
    layOut(&board, 800, 400);
    QSignalSpy changed(&board, &PianoBoard::noteChanged);
    board.slotSetNote(name, accidental);
    QCOMPARE(board.height(), 194);
    const QString shown
        = key ? Pictures::markedKeyboard(QString::number(key)) : Pictures::keyboard();
    QCOMPARE(paintedKeyboard(&board), picture(shown));
    QVERIFY(changed.isEmpty());
}

void TestNotesFinder::markedPixelsLieOnTheirKey()
{
    const QImage keyboard = picture(Pictures::keyboard());
    QCOMPARE(keyboard.size(), QSize(800, 194));
    for (int key = 1; key <= 88; ++key) {
        const QImage marked = picture(Pictures::markedKeyboard(QString::number(key)));
        QCOMPARE(marked.size(), keyboard.size());
        int count = 0;
        for (int y = 0; y < keyboard.height(); ++y) {
            for (int x = 0; x < keyboard.width(); ++x) {
                if (marked.pixel(x, y) == keyboard.pixel(x, y))
                    continue;
                const QString hit = PianoKeyTable::noteAt(x, y);
                const int hitKey = PianoKeyTable::keyNumber(hit.left(2), hit.endsWith('#') ? 1 : 0);
                if (hit.isEmpty() || hitKey != key)
                    QFAIL(qPrintable(QStringLiteral("key %1 marks %2,%3").arg(key).arg(x).arg(y)));
                ++count;
            }
        }
        QVERIFY2(count > 100, qPrintable(QStringLiteral("key %1 is hardly marked").arg(key)));
    }
}

void TestNotesFinder::finderLinksStaffAndKeyboard()
{
    // GIVEN the finder with its keyboard 800 px wide
    PianoNotesFinder finder(nullptr);
    layOut(&finder, 800, 700);
    auto* board = finder.findChild<PianoBoard*>();
    auto* staff = finder.findChild<NotesWidget*>();
    QCOMPARE(board->size(), QSize(800, 194));
    QSignalSpy fromStaff(staff, &NotesWidget::noteChanged);
    QSignalSpy fromBoard(board, &PianoBoard::noteChanged);
    // WHEN C4# is clicked, THEN the staff shows it sharp, and one echo ends the exchange
    sendMouse(board, QEvent::MouseButtonPress, QPoint(374, 100));
    QCOMPARE(checkedSign(staff), QStringLiteral("sharp"));
    QVERIFY(label(staff).contains(">#C4<"));
    finder.grab();
    finder.grab();
    QCOMPARE(fromBoard.size(), 1);
    QCOMPARE(fromStaff.size(), 1);
    QCOMPARE(fromStaff[0], QVariantList({"C4", 1}));
    QCOMPARE(paintedKeyboard(board), picture(Pictures::markedKeyboard("41")));
    // WHEN B3 is clicked, THEN the staff shows it natural and key 39 is marked
    sendMouse(board, QEvent::MouseButtonPress, QPoint(352, 120));
    QCOMPARE(checkedSign(staff), QStringLiteral("natural"));
    finder.grab();
    QCOMPARE(fromStaff.last(), QVariantList({"B3", 0}));
    QCOMPARE(paintedKeyboard(board), picture(Pictures::markedKeyboard("39")));
    // WHEN the pointer is at middle C on the staff, THEN key 40 is marked and
    // the keyboard sends nothing back
    pointAt(staff, staff->nameToPos("C4").y());
    QCOMPARE(fromStaff.last(), QVariantList({"C4", 0}));
    QCOMPARE(paintedKeyboard(board), picture(Pictures::markedKeyboard("40")));
    QCOMPARE(fromBoard.size(), 2);
    // WHEN the pointer is at E8 on the staff, THEN no key is marked
    pointAt(staff, 2);
    QCOMPARE(fromStaff.last(), QVariantList({"E8", 0}));
    QCOMPARE(paintedKeyboard(board), picture(Pictures::keyboard()));
}

void TestNotesFinder::pageWithAndWithoutShop()
{
    auto shopEntries = [](PianoNotesFinderMainPage& page) {
        QStringList texts;
        for (QAction* action : page.promoMenuBar()->shopMenu()->actions())
            texts << action->text();
        return texts.filter(QRegularExpression("^(Must Have|Wikipedia)$"));
    };
    PianoNotesFinderMainPage page(nullptr);
    QCOMPARE(page.objectName(), QStringLiteral("PianoNotesFinderMainPage"));
    QVERIFY(page.findChild<PianoNotesFinder*>());
    QVERIFY(shopEntries(page).isEmpty());
    page.addShopMenu();
    QCOMPARE(shopEntries(page), QStringList({"Must Have", "Wikipedia"}));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestNotesFinder test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_NotesFinder.moc"
