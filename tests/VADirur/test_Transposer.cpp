#include "App.h"
#include "ChordsButtonsPanel.h"
#include "ChordsTabBar.h"
#include "Transposer.h"

#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using VADirur::ChordsButtonsPanel;
using VADirur::ChordsTabBar;
using VADirur::Transposer;

namespace {

const QString flat = QString(QChar(0x266D));

QPushButton* buttonNamed(const Transposer& t, const QString& objectName, const QString& text = {})
{
    for (QPushButton* b : t.findChildren<QPushButton*>(objectName)) {
        if (text.isEmpty() || b->text() == text)
            return b;
    }
    return nullptr;
}

// The chord's root as semitones above C, moved by some steps, and its type.
QString pitchAndType(const ChordsButtonsPanel& panel, const QString& chord, int steps = 0)
{
    // The chord code's roots: A, A flat, B, B flat, C, D, D flat, E, E flat, F, G, G flat.
    static const int semitones[] = {9, 8, 11, 10, 0, 2, 1, 4, 3, 5, 7, 6};
    const int code = panel.stringToChord(QString(chord).remove('\n'));
    return QString("%1 %2").arg((semitones[code / 11] + steps + 12) % 12).arg(code % 11);
}

QPushButton* soundButton(const Transposer& t)
{
    QPushButton* on = buttonNamed(t, "TransposerButton", "Sound On");
    return on ? on : buttonNamed(t, "TransposerButton", "Sound Off");
}

QAction* menuEntry(const Transposer& t, const QString& menu, const QString& text)
{
    for (QAction* a : t.findChild<QMenu*>(menu)->actions()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

// The controls the user can use now.
QStringList usable(const Transposer& t)
{
    QStringList names;
    const auto note = [&names](const char* name, bool enabled) {
        if (enabled)
            names << name;
    };
    note("add", buttonNamed(t, "PushButtonAdd")->isEnabled());
    note("remove", buttonNamed(t, "PushButtonRemove")->isEnabled());
    note("favorites", buttonNamed(t, "TransposerButton", "Favorites")->isEnabled());
    note("save", menuEntry(t, "FavoritesMenu", "&Save...")->isEnabled());
    note("transpose", buttonNamed(t, "TransposerButton", "Transpose")->isEnabled());
    note("sound", soundButton(t)->isEnabled());
    return names;
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
    Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void releaseOn(QWidget* widget, QPoint pos)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

// A strip with a panel, shown, as a chord page holds it.
struct Strip
{
    Strip()
    {
        transposer.setChordsButtonsPanel(&panel);
        transposer.resize(600, 120);
        transposer.show();
    }
    void add(const QString& chord)
    {
        panel.setChord(chord);
        QTest::mouseClick(buttonNamed(transposer, "PushButtonAdd"), Qt::LeftButton);
    }
    ChordsTabBar* bar() const
    {
        return transposer.findChild<ChordsTabBar*>();
    }

    ChordsButtonsPanel panel;
    Transposer transposer;
};

} // namespace

class TestTransposer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void editingTheSequence();
    void addWithoutPanelDoesNothing();
    void transposeMenuHasTwentyTwoEntries();
    void transposition_data();
    void transposition();
    void roundTripReturnsTheSameChords_data();
    void roundTripReturnsTheSameChords();
    void choosingATab_data();
    void choosingATab();
    void soundSwitchIsStored();
    void draggedTabSettles_data();
    void draggedTabSettles();
};

void TestTransposer::init()
{
    DORuverud::App::theApp()->settings()->clear();
}

void TestTransposer::editingTheSequence()
{
    // GIVEN an empty strip: only adding and the favourites are offered
    Strip s;
    QCOMPARE(s.transposer.currentChordIndex(), -1);
    QCOMPARE(usable(s.transposer), QStringList({"add", "favorites"}));

    // WHEN the user adds C sharp minor seventh, then D twice
    s.add("C #m7");
    s.add("D");
    s.add("D");

    // THEN the tabs hold root, line feed, type; the first is selected
    QCOMPARE(s.transposer.currentChords(), QStringList({"C #\nm7", "D\n", "D\n"}));
    QCOMPARE(s.transposer.currentChordIndex(), 0);
    QCOMPARE(usable(s.transposer),
        QStringList({"add", "remove", "favorites", "save", "transpose", "sound"}));

    // WHEN the selected second tab is removed, then the sequence is emptied
    s.transposer.setCurrentChordIndex(1);
    QTest::mouseClick(buttonNamed(s.transposer, "PushButtonRemove"), Qt::LeftButton);
    QCOMPARE(s.transposer.currentChords(), QStringList({"C #\nm7", "D\n"}));
    s.transposer.setCurrentChords({});

    // THEN the strip is back to its empty state
    QCOMPARE(s.transposer.currentChordIndex(), -1);
    QCOMPARE(usable(s.transposer), QStringList({"add", "favorites"}));
}

void TestTransposer::addWithoutPanelDoesNothing()
{
    Transposer transposer;
    QTest::mouseClick(buttonNamed(transposer, "PushButtonAdd"), Qt::LeftButton);
    QVERIFY(transposer.currentChords().isEmpty());
}

void TestTransposer::transposeMenuHasTwentyTwoEntries()
{
    Transposer transposer;
    QStringList texts;
    for (const QAction* a : transposer.findChild<QMenu*>("TransposerMenu")->actions())
        texts << a->text();
    QStringList expected;
    for (int n = 11; n >= 1; --n)
        expected << QString::number(n) + " #";
    for (int n = 1; n <= 11; ++n)
        expected << QString::number(n) + flat;
    QCOMPARE(texts, expected);
}

void TestTransposer::transposition_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("after");
    const QString up1 = "1 #", down1 = "1" + flat;
    QTest::newRow("natural up one gives a flat")
        << QStringList {"C\n"} << up1 << QStringList {"D" + flat + "\n"};
    QTest::newRow("sharp up one gives a natural")
        << QStringList {"C #\n"} << up1 << QStringList {"D\n"};
    QTest::newRow("B up one wraps to C")
        << QStringList {"B\nsus4"} << up1 << QStringList {"C\nsus4"};
    QTest::newRow("C down one wraps to B") << QStringList {"C\n"} << down1 << QStringList {"B\n"};
    QTest::newRow("sharp down eleven")
        << QStringList {"C #\n"} << "11" + flat << QStringList {"D\n"};
    QTest::newRow("flat up eleven")
        << QStringList {"E" + flat + "\n"} << "11 #" << QStringList {"D\n"};
    QTest::newRow("sharp down three") << QStringList {"G #\n"} << "3" + flat << QStringList {"F\n"};
    QTest::newRow("type kept") << QStringList {"A\nm7"} << "3 #" << QStringList {"C\nm7"};
    QTest::newRow("B up eleven gives B flat")
        << QStringList {"B\n"} << "11 #" << QStringList {"B" + flat + "\n"};
    QTest::newRow("C down eleven gives D flat")
        << QStringList {"C\n"} << "11" + flat << QStringList {"D" + flat + "\n"};
    QTest::newRow("sharp up two stays sharp")
        << QStringList {"C #\n7"} << "2 #" << QStringList {"D #\n7"};
    QTest::newRow("C flat and E sharp move by their pitch") << QStringList {
        "E #\nm", "G\n", "C" + flat + "\n9"} << "5 #" << QStringList {"A #\nm", "C\n", "E\n9"};
    QTest::newRow("F flat minor moves with C") << QStringList {"F" + flat + "\nm", "C\n"} << "2 #"
                                               << QStringList {"G" + flat + "\nm", "D\n"};
    QTest::newRow("C flat up one gives C")
        << QStringList {"C" + flat + "\n"} << up1 << QStringList {"C\n"};
    QTest::newRow("B sharp up one gives C sharp")
        << QStringList {"B #\n7"} << up1 << QStringList {"C #\n7"};
    QTest::newRow("B sharp down one gives B")
        << QStringList {"B #\n"} << down1 << QStringList {"B\n"};
    QTest::newRow("E sharp down eleven gives F sharp")
        << QStringList {"E #\nm"} << "11" + flat << QStringList {"F #\nm"};
    QTest::newRow("F flat down one gives E flat")
        << QStringList {"F" + flat + "\nsus4"} << down1 << QStringList {"E" + flat + "\nsus4"};
    QTest::newRow("roots outside the panel stay")
        << QStringList {"H\n", "\nm", "G\n"} << "5 #" << QStringList {"H\n", "\nm", "C\n"};
    QTest::newRow("whole sequence") << QStringList {"A\nm", "F\n", "C\n",
        "G\n7"} << "2" + flat << QStringList {"G\nm", "E" + flat + "\n", "B" + flat + "\n", "F\n7"};
}

// A menu entry rewrites the sequence; the selection, the panel and the sound
// are left alone.
void TestTransposer::transposition()
{
    QFETCH(QStringList, before);
    QFETCH(QString, entry);
    QFETCH(QStringList, after);
    Strip s;
    s.transposer.setCurrentChords(before);
    s.transposer.setCurrentChordIndex(before.size() - 1);
    s.panel.setChord("Gm");
    QSignalSpy chords(&s.panel, &ChordsButtonsPanel::chordChanged);
    QSignalSpy play(&s.transposer, &Transposer::play);

    menuEntry(s.transposer, "TransposerMenu", entry)->trigger();

    QCOMPARE(s.transposer.currentChords(), after);
    QCOMPARE(s.transposer.currentChordIndex(), before.size() - 1);
    QCOMPARE(s.panel.currentChord(), QString("Gm"));
    QCOMPARE(chords.count() + play.count(), 0);
}

void TestTransposer::roundTripReturnsTheSameChords_data()
{
    QTest::addColumn<QString>("there");
    QTest::addColumn<QString>("back");
    QTest::addColumn<int>("steps");
    for (int n = 1; n <= 11; ++n) {
        const QString up = QString::number(n) + " #", down = QString::number(n) + flat;
        QTest::newRow(qPrintable(QString("up %1 then down").arg(n))) << up << down << n;
        QTest::newRow(qPrintable(QString("down %1 then up").arg(n))) << down << up << -n;
    }
}

// Every chord moves by the entry's steps; naturals and flats come back as
// written, the others as the same chord, possibly spelt another way.
void TestTransposer::roundTripReturnsTheSameChords()
{
    QFETCH(QString, there);
    QFETCH(QString, back);
    QFETCH(int, steps);
    const QStringList spelt = {"C\n", "D" + flat + "\nm", "D\n7", "E" + flat + "\nmaj7", "E\nm7",
        "F\n9", "G" + flat + "\nsus4", "G\naug", "A" + flat + "\ndim", "A\n6", "B" + flat + "\nm6",
        "B\n"};
    const QStringList others = {"C #\nm", "D #\n", "F #\n7", "G #\nm7", "A #\n9", "C" + flat + "\n",
        "F" + flat + "\nm", "B #\n7", "E #\nsus4"};
    Strip s;
    s.transposer.setCurrentChords(spelt + others);

    menuEntry(s.transposer, "TransposerMenu", there)->trigger();
    const QStringList moved = s.transposer.currentChords();
    for (int i = 0; i < moved.size(); ++i)
        QCOMPARE(pitchAndType(s.panel, moved.at(i)),
            pitchAndType(s.panel, (spelt + others).at(i), steps));
    menuEntry(s.transposer, "TransposerMenu", back)->trigger();

    const QStringList result = s.transposer.currentChords();
    QCOMPARE(result.mid(0, spelt.size()), spelt);
    for (int i = 0; i < others.size(); ++i)
        QCOMPARE(pitchAndType(s.panel, result.at(spelt.size() + i)),
            pitchAndType(s.panel, others.at(i)));
}

void TestTransposer::choosingATab_data()
{
    QTest::addColumn<QStringList>("chords");
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<bool>("onSecondTab");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("plays");
    const QStringList three = {"A\n", "C #\nm7", "E\n"};
    QTest::newRow("click with the switch on") << three << true << true << "C #m7" << 1;
    QTest::newRow("click with the switch off") << three << false << true << "C #m7" << 0;
    QTest::newRow("release past the last tab reselects it")
        << QStringList {"A\n", "B" + flat + "\nm"} << true << false << "B" + flat + "m" << 1;
    QTest::newRow("release on an empty strip does nothing")
        << QStringList() << true << false << QString() << 0;
}

// A tab chosen with the mouse selects its chord on the panel, and with the
// switch on asks the page to sound it.
void TestTransposer::choosingATab()
{
    QFETCH(QStringList, chords);
    QFETCH(bool, soundOn);
    QFETCH(bool, onSecondTab);
    QFETCH(QString, shown);
    QFETCH(int, plays);
    // GIVEN a shown strip with its last tab selected
    DORuverud::App::theApp()->setSettingsValue("TransposerSoundOn", soundOn);
    Strip s;
    s.transposer.setCurrentChords(chords);
    s.transposer.setCurrentChordIndex(chords.size() - 1);
    s.panel.setChord("Fm");
    QVERIFY(QTest::qWaitForWindowExposed(&s.transposer));
    QSignalSpy announced(&s.panel, &ChordsButtonsPanel::chordChanged);
    QSignalSpy play(&s.transposer, &Transposer::play);

    // WHEN the user clicks the second tab, or lets go right of the last one
    const QRect last = s.bar()->tabRect(chords.size() - 1);
    if (onSecondTab)
        QTest::mouseClick(s.bar(), Qt::LeftButton, {}, s.bar()->tabRect(1).center());
    else
        releaseOn(s.bar(), QPoint(last.right() + 20, s.bar()->height() / 2));

    // THEN the panel shows the chosen chord, and the page may sound it
    QCOMPARE(s.transposer.currentChordIndex(), onSecondTab ? 1 : chords.size() - 1);
    QCOMPARE(announced.count(), shown.isEmpty() ? 0 : 1);
    QCOMPARE(s.panel.currentChord(), shown.isEmpty() ? QString("Fm") : shown);
    QCOMPARE(play.count(), plays);
}

void TestTransposer::soundSwitchIsStored()
{
    // GIVEN a first start: the switch is on
    Strip s;
    s.transposer.setCurrentChords({"A\n"});
    QPushButton* sound = soundButton(s.transposer);
    QVERIFY(sound->isChecked());
    QCOMPARE(sound->text(), QString("Sound On"));

    // WHEN the user turns it off
    QTest::mouseClick(sound, Qt::LeftButton);

    // THEN it reads "Sound Off", and so does every strip built or updated later
    QCOMPARE(sound->text(), QString("Sound Off"));
    QCOMPARE(DORuverud::App::theApp()->settingsValue("TransposerSoundOn"), QVariant(false));
    Transposer later;
    QVERIFY(!soundButton(later)->isChecked());
    QCOMPARE(soundButton(later)->text(), QString("Sound Off"));

    DORuverud::App::theApp()->setSettingsValue("TransposerSoundOn", true);
    later.updateState();
    QVERIFY(soundButton(later)->isChecked());
    QCOMPARE(soundButton(later)->text(), QString("Sound On"));
}

void TestTransposer::draggedTabSettles_data()
{
    QTest::addColumn<int>("stepPause");
    QTest::addColumn<int>("holdBeforeRelease");
    QTest::newRow("slow drag") << 20 << 600;
    QTest::newRow("quick flick") << 0 << 0;
}

void TestTransposer::draggedTabSettles()
{
    QFETCH(int, stepPause);
    QFETCH(int, holdBeforeRelease);

    // GIVEN a shown strip holding A, D, E7, and how its bar looks when A
    // is moved behind D without the mouse
    Strip s;
    ChordsTabBar* bar = s.bar();
    s.transposer.setCurrentChords({"A\n", "D\n", "E\n7"});
    QVERIFY(QTest::qWaitForWindowExposed(&s.transposer));
    bar->moveTab(0, 1);
    const QImage expected = bar->grab().toImage();
    s.transposer.setCurrentChords({"A\n", "D\n", "E\n7"});
    QSignalSpy chords(&s.panel, &ChordsButtonsPanel::chordChanged);

    // WHEN the user drags A past D and lets go
    const QPoint start = bar->tabRect(0).center();
    const QPoint end = bar->tabRect(1).center() + QPoint(bar->tabRect(1).width() / 4, 0);
    sendMouse(bar, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int x = start.x(); x <= end.x(); x += 4) {
        sendMouse(bar, QEvent::MouseMove, QPoint(x, start.y()), Qt::NoButton, Qt::LeftButton);
        QTest::qWait(stepPause);
    }
    QTest::qWait(holdBeforeRelease);
    releaseOn(bar, end);

    // THEN the sequence has the new order and the dragged chord is selected
    QCOMPARE(s.transposer.currentChords(), QStringList({"D\n", "A\n", "E\n7"}));
    QCOMPARE(s.transposer.currentChordIndex(), 1);
    QCOMPARE(chords.last().at(1).toString(), QString("A"));

    // AND once the pointer moves on, the bar comes to rest in that order
    const auto pointerMovesOn = [&] {
        sendMouse(bar, QEvent::MouseMove, end + QPoint(2, 0), Qt::NoButton, Qt::NoButton);
        return bar->grab().toImage();
    };
    QTRY_COMPARE_WITH_TIMEOUT(pointerMovesOn(), expected, 10000);

    // AND a later click selects normally
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    QCOMPARE(s.transposer.currentChordIndex(), 2);
    QCOMPARE(chords.last().at(1).toString(), QString("E7"));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestTransposer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Transposer.moc"
