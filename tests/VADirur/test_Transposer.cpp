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
    const QList<QPushButton*> buttons = t.findChildren<QPushButton*>(objectName);
    for (QPushButton* b : buttons) {
        if (text.isEmpty() || b->text() == text)
            return b;
    }
    return nullptr;
}

QPushButton* soundButton(const Transposer& t)
{
    QPushButton* on = buttonNamed(t, "TransposerButton", "Sound On");
    return on ? on : buttonNamed(t, "TransposerButton", "Sound Off");
}

QAction* menuEntry(const Transposer& t, const QString& menu, const QString& text)
{
    const QList<QAction*> actions = t.findChild<QMenu*>(menu)->actions();
    for (QAction* a : actions) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

void releaseOn(QWidget* widget, QPoint pos)
{
    QMouseEvent release(QEvent::MouseButtonRelease, pos, widget->mapToGlobal(pos), Qt::LeftButton,
        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
    Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
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
    void emptyStripDisablesItsControls();
    void addAppendsTheChosenChord();
    void addWithoutPanelDoesNothing();
    void removeAndReplaceFollowTheCount();
    void transposeMenuHasTwentyTwoEntries();
    void transposition_data();
    void transposition();
    void roundTripReturnsTheSameChords_data();
    void roundTripReturnsTheSameChords();
    void transposeLeavesSelectionAndSound();
    void tabClickSelectsAndSounds_data();
    void tabClickSelectsAndSounds();
    void releaseOnEmptyBarReselects();
    void releaseOnEmptyStripDoesNothing();
    void soundSwitchIsStored();
    void draggedTabSettles_data();
    void draggedTabSettles();
};

void TestTransposer::init()
{
    DORuverud::App::theApp()->settings()->clear();
}

void TestTransposer::emptyStripDisablesItsControls()
{
    Strip s;
    QCOMPARE(s.transposer.objectName(), QString("Transposer"));
    QVERIFY(s.transposer.findChild<QFrame*>("TransposerFrame"));
    QCOMPARE(s.transposer.currentChordIndex(), -1);
    QVERIFY(s.transposer.currentChords().isEmpty());

    QVERIFY(buttonNamed(s.transposer, "PushButtonAdd")->isEnabled());
    QVERIFY(buttonNamed(s.transposer, "TransposerButton", "Favorites")->isEnabled());
    QVERIFY(!buttonNamed(s.transposer, "PushButtonRemove")->isEnabled());
    QVERIFY(!buttonNamed(s.transposer, "TransposerButton", "Transpose")->isEnabled());
    QVERIFY(!soundButton(s.transposer)->isEnabled());
    QVERIFY(!menuEntry(s.transposer, "FavoritesMenu", "&Save...")->isEnabled());
    QCOMPARE(buttonNamed(s.transposer, "PushButtonAdd")->toolTip(), QString("Add chord"));
    QCOMPARE(
        buttonNamed(s.transposer, "PushButtonRemove")->toolTip(), QString("Remove selected chord"));
}

void TestTransposer::addAppendsTheChosenChord()
{
    // GIVEN an empty strip and C sharp minor seventh on the panel
    Strip s;

    // WHEN the user adds it, then D major
    s.add("C #m7");
    s.add("D");

    // THEN two tabs hold root, line feed, type; the first stays selected
    QCOMPARE(s.transposer.currentChords(), QStringList({"C #\nm7", "D\n"}));
    QCOMPARE(s.transposer.currentChordIndex(), 0);
    QVERIFY(buttonNamed(s.transposer, "PushButtonRemove")->isEnabled());
    QVERIFY(buttonNamed(s.transposer, "TransposerButton", "Transpose")->isEnabled());
    QVERIFY(soundButton(s.transposer)->isEnabled());
    QVERIFY(menuEntry(s.transposer, "FavoritesMenu", "&Save...")->isEnabled());

    // AND the same chord may be added again
    s.add("D");
    QCOMPARE(s.transposer.currentChords().size(), 3);
}

void TestTransposer::addWithoutPanelDoesNothing()
{
    Transposer transposer;
    QTest::mouseClick(buttonNamed(transposer, "PushButtonAdd"), Qt::LeftButton);
    QVERIFY(transposer.currentChords().isEmpty());
}

void TestTransposer::removeAndReplaceFollowTheCount()
{
    Strip s;
    s.transposer.setCurrentChords({"A\n", "B\nm", "C\n7"});
    QCOMPARE(s.transposer.currentChordIndex(), 0);

    s.transposer.setCurrentChordIndex(1);
    QTest::mouseClick(buttonNamed(s.transposer, "PushButtonRemove"), Qt::LeftButton);
    QCOMPARE(s.transposer.currentChords(), QStringList({"A\n", "C\n7"}));

    s.transposer.setCurrentChords({});
    QCOMPARE(s.transposer.currentChordIndex(), -1);
    QVERIFY(!buttonNamed(s.transposer, "PushButtonRemove")->isEnabled());
    QVERIFY(!buttonNamed(s.transposer, "TransposerButton", "Transpose")->isEnabled());
    QVERIFY(!soundButton(s.transposer)->isEnabled());
    QVERIFY(!menuEntry(s.transposer, "FavoritesMenu", "&Save...")->isEnabled());
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
    QTest::newRow("roots outside both lists stay") << QStringList {"E #\nm", "G\n",
        "C" + flat + "\n9"} << "5 #" << QStringList {"E #\nm", "C\n", "C" + flat + "\n9"};
    QTest::newRow("whole sequence") << QStringList {"A\nm", "F\n", "C\n",
        "G\n7"} << "2" + flat << QStringList {"G\nm", "E" + flat + "\n", "B" + flat + "\n", "F\n7"};
}

void TestTransposer::transposition()
{
    QFETCH(QStringList, before);
    QFETCH(QString, entry);
    QFETCH(QStringList, after);
    Strip s;
    s.transposer.setCurrentChords(before);

    menuEntry(s.transposer, "TransposerMenu", entry)->trigger();

    QCOMPARE(s.transposer.currentChords(), after);
}

void TestTransposer::roundTripReturnsTheSameChords_data()
{
    QTest::addColumn<QString>("there");
    QTest::addColumn<QString>("back");
    for (int n = 1; n <= 11; ++n) {
        const QString up = QString::number(n) + " #", down = QString::number(n) + flat;
        QTest::newRow(qPrintable(QString("up %1 then down").arg(n))) << up << down;
        QTest::newRow(qPrintable(QString("down %1 then up").arg(n))) << down << up;
    }
}

// Naturals and flats come back as written; sharps come back as the same
// chord, possibly spelt with a flat.
void TestTransposer::roundTripReturnsTheSameChords()
{
    QFETCH(QString, there);
    QFETCH(QString, back);
    const QStringList spelt = {"C\n", "D" + flat + "\nm", "D\n7", "E" + flat + "\nmaj7", "E\nm7",
        "F\n9", "G" + flat + "\nsus4", "G\naug", "A" + flat + "\ndim", "A\n6", "B" + flat + "\nm6",
        "B\n"};
    const QStringList sharps = {"C #\nm", "D #\n", "F #\n7", "G #\nm7", "A #\n9"};
    Strip s;
    s.transposer.setCurrentChords(spelt + sharps);

    menuEntry(s.transposer, "TransposerMenu", there)->trigger();
    QVERIFY(s.transposer.currentChords() != spelt + sharps);
    menuEntry(s.transposer, "TransposerMenu", back)->trigger();

    const QStringList result = s.transposer.currentChords();
    QCOMPARE(result.mid(0, spelt.size()), spelt);
    for (int i = 0; i < sharps.size(); ++i) {
        const QString chord = result.at(spelt.size() + i);
        QCOMPARE(s.panel.stringToChord(chord.split('\n').join("")),
            s.panel.stringToChord(sharps.at(i).split('\n').join("")));
    }
}

void TestTransposer::transposeLeavesSelectionAndSound()
{
    Strip s;
    s.transposer.setCurrentChords({"A\n", "D\n", "E\n7"});
    s.transposer.setCurrentChordIndex(2);
    s.panel.setChord("Gm");
    QSignalSpy chords(&s.panel, &ChordsButtonsPanel::chordChanged);
    QSignalSpy play(&s.transposer, &Transposer::play);

    menuEntry(s.transposer, "TransposerMenu", "2 #")->trigger();

    QCOMPARE(s.transposer.currentChords(), QStringList({"B\n", "E\n", "G" + flat + "\n7"}));
    QCOMPARE(s.transposer.currentChordIndex(), 2);
    QCOMPARE(s.panel.currentChord(), QString("Gm"));
    QCOMPARE(chords.count(), 0);
    QCOMPARE(play.count(), 0);
}

void TestTransposer::tabClickSelectsAndSounds_data()
{
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<int>("plays");
    QTest::newRow("switch on") << true << 1;
    QTest::newRow("switch off") << false << 0;
}

void TestTransposer::tabClickSelectsAndSounds()
{
    QFETCH(bool, soundOn);
    QFETCH(int, plays);
    DORuverud::App::theApp()->setSettingsValue("TransposerSoundOn", soundOn);
    Strip s;
    s.transposer.setCurrentChords({"A\n", "C #\nm7", "E\n"});
    QVERIFY(QTest::qWaitForWindowExposed(&s.transposer));
    QSignalSpy chords(&s.panel, &ChordsButtonsPanel::chordChanged);
    QSignalSpy play(&s.transposer, &Transposer::play);

    // WHEN the user clicks the second tab
    QTest::mouseClick(s.bar(), Qt::LeftButton, {}, s.bar()->tabRect(1).center());

    // THEN the panel shows its chord, and the page is asked to sound it
    QCOMPARE(s.transposer.currentChordIndex(), 1);
    QCOMPARE(chords.count(), 1);
    QCOMPARE(chords.at(0).at(0).toInt(), 74);
    QCOMPARE(chords.at(0).at(1).toString(), QString("C #m7"));
    QCOMPARE(s.panel.currentChord(), QString("C #m7"));
    QCOMPARE(play.count(), plays);
}

void TestTransposer::releaseOnEmptyBarReselects()
{
    Strip s;
    s.transposer.setCurrentChords({"A\n", "B" + flat + "\nm"});
    s.transposer.setCurrentChordIndex(1);
    QVERIFY(QTest::qWaitForWindowExposed(&s.transposer));
    QSignalSpy chords(&s.panel, &ChordsButtonsPanel::chordChanged);
    QSignalSpy play(&s.transposer, &Transposer::play);

    const QRect last = s.bar()->tabRect(1);
    releaseOn(s.bar(), QPoint(last.right() + 20, last.center().y()));

    QCOMPARE(s.transposer.currentChordIndex(), 1);
    QCOMPARE(chords.count(), 1);
    QCOMPARE(chords.at(0).at(1).toString(), "B" + flat + "m");
    QCOMPARE(play.count(), 1);
}

void TestTransposer::releaseOnEmptyStripDoesNothing()
{
    Strip s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.transposer));
    s.panel.setChord("Fm");
    QSignalSpy chords(&s.panel, &ChordsButtonsPanel::chordChanged);
    QSignalSpy play(&s.transposer, &Transposer::play);

    releaseOn(s.bar(), QPoint(10, 10));

    QCOMPARE(chords.count(), 0);
    QCOMPARE(play.count(), 0);
    QCOMPARE(s.panel.currentChord(), QString("Fm"));
}

void TestTransposer::soundSwitchIsStored()
{
    // GIVEN a first start: the switch is on
    Strip s;
    s.transposer.setCurrentChords({"A\n"});
    QPushButton* sound = soundButton(s.transposer);
    QVERIFY(sound->isCheckable());
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
