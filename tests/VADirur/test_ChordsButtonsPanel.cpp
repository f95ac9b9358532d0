#include "App.h"
#include "ChordsButtonsPanel.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using VADirur::ChordsButtonsPanel;

namespace {

const QString flat = QString(QChar(0x266D));

struct Root
{
    QString label;
    int index;
};

// Every root label with the root index it names, as a musician reads them.
const QVector<Root>& roots()
{
    static const QVector<Root> all = {
        {"A", 0},
        {"A" + flat, 1},
        {"G #", 1},
        {"B", 2},
        {"C" + flat, 2},
        {"B" + flat, 3},
        {"A #", 3},
        {"C", 4},
        {"B #", 4},
        {"D", 5},
        {"D" + flat, 6},
        {"C #", 6},
        {"E", 7},
        {"F" + flat, 7},
        {"E" + flat, 8},
        {"D #", 8},
        {"F", 9},
        {"E #", 9},
        {"G", 10},
        {"G" + flat, 11},
        {"F #", 11},
    };
    return all;
}

// Type labels in type-index order.
const QStringList types = {"", "m", "aug", "dim", "6", "m6", "7", "maj7", "m7", "9", "sus4"};

QPushButton* button(const ChordsButtonsPanel& panel, const QString& frame, const QString& text)
{
    const QList<QPushButton*> buttons
        = panel.findChild<QFrame*>(frame)->findChildren<QPushButton*>();
    for (QPushButton* b : buttons) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

QPushButton* rootButton(const ChordsButtonsPanel& panel, const QString& text)
{
    return button(panel, "ChordButtonsFrame", text);
}

QPushButton* typeButton(const ChordsButtonsPanel& panel, const QString& text)
{
    return button(panel, "ChordOptionsFrame", text);
}

} // namespace

class TestChordsButtonsPanel : public QObject
{
    Q_OBJECT

private slots:
    void startsAtA();
    void buttonsCarryTheStyleNames();
    void everyChordTextHasItsIndex_data();
    void everyChordTextHasItsIndex();
    void otherTextsGive131_data();
    void otherTextsGive131();
    void pressingButtonsAnnouncesTheChord();
    void setChordPicksRootAndType_data();
    void setChordPicksRootAndType();
    void unknownRootKeepsTheRoot();
    void hideOperationsHideOneTypeButton_data();
    void hideOperationsHideOneTypeButton();
};

void TestChordsButtonsPanel::startsAtA()
{
    // GIVEN a new panel
    ChordsButtonsPanel panel;
    QSignalSpy spy(&panel, &ChordsButtonsPanel::chordChanged);

    // THEN it shows A major and has said nothing
    QCOMPARE(panel.objectName(), QString("ChordsButtonsPanel"));
    QCOMPARE(panel.currentChord(), QString("A"));
    QCOMPARE(panel.currentChordPart1(), QString("A"));
    QCOMPARE(panel.currentChordPart2(), QString(""));
    QVERIFY(rootButton(panel, "A")->isChecked());
    QVERIFY(typeButton(panel, "")->isChecked());
    QCOMPARE(spy.count(), 0);
}

void TestChordsButtonsPanel::buttonsCarryTheStyleNames()
{
    ChordsButtonsPanel panel;
    const QList<QPushButton*> roots
        = panel.findChild<QFrame*>("ChordButtonsFrame")->findChildren<QPushButton*>();
    const QList<QPushButton*> types
        = panel.findChild<QFrame*>("ChordOptionsFrame")->findChildren<QPushButton*>();
    QCOMPARE(roots.size(), 21);
    QCOMPARE(types.size(), 11);
    for (const QPushButton* b : roots + types) {
        QCOMPARE(b->objectName(), QString("PanelButton"));
        QVERIFY(b->isFlat());
        QVERIFY(b->isCheckable());
    }
    QVERIFY(rootButton(panel, "F #"));
    QVERIFY(rootButton(panel, "B" + flat));
}

void TestChordsButtonsPanel::everyChordTextHasItsIndex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    for (const Root& root : roots()) {
        for (int type = 0; type < types.size(); ++type) {
            const QString text = root.label + types.at(type);
            QTest::newRow(qPrintable(text)) << text << root.index * 11 + type;
        }
    }
}

void TestChordsButtonsPanel::everyChordTextHasItsIndex()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    ChordsButtonsPanel panel;
    QCOMPARE(panel.stringToChord(text), index);

    // setChord shows that very text on the buttons and announces it once
    QSignalSpy spy(&panel, &ChordsButtonsPanel::chordChanged);
    panel.setChord(text);
    QCOMPARE(panel.currentChord(), text);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), index);
    QCOMPARE(spy.at(0).at(1).toString(), text);
}

void TestChordsButtonsPanel::otherTextsGive131_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("blank between root and type") << "A m";
    QTest::newRow("ascii b for the flat") << "Ab";
    QTest::newRow("lower case") << "am";
    QTest::newRow("empty") << "";
    QTest::newRow("line feed between root and type") << "A\nm";
    QTest::newRow("sharp without blank") << "D#m";
    QTest::newRow("leading blank") << " A";
    QTest::newRow("trailing blank") << "A ";
    QTest::newRow("unknown type") << "Cmaj9";
}

void TestChordsButtonsPanel::otherTextsGive131()
{
    QFETCH(QString, text);
    ChordsButtonsPanel panel;
    QCOMPARE(panel.stringToChord(text), 131);
}

void TestChordsButtonsPanel::pressingButtonsAnnouncesTheChord()
{
    // GIVEN a shown panel with "m7" checked
    ChordsButtonsPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QTest::mouseClick(typeButton(panel, "m7"), Qt::LeftButton);
    QSignalSpy spy(&panel, &ChordsButtonsPanel::chordChanged);

    // WHEN the user presses "C #", then "m7" again
    QTest::mouseClick(rootButton(panel, "C #"), Qt::LeftButton);
    QTest::mouseClick(typeButton(panel, "m7"), Qt::LeftButton);

    // THEN both presses announce C sharp minor seventh
    QCOMPARE(spy.count(), 2);
    for (const QList<QVariant>& args : spy) {
        QCOMPARE(args.at(0).toInt(), 74);
        QCOMPARE(args.at(1).toString(), QString("C #m7"));
    }

    // AND a root press keeps the checked type
    QTest::mouseClick(rootButton(panel, "G"), Qt::LeftButton);
    QCOMPARE(spy.last().at(1).toString(), QString("Gm7"));
    QCOMPARE(spy.last().at(0).toInt(), 118);
}

void TestChordsButtonsPanel::setChordPicksRootAndType_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("index");
    QTest::newRow("dim before m") << "E" + flat + "dim"
                                  << "E" + flat << "dim" << 91;
    QTest::newRow("flat minor is not dim") << "B" + flat + "m"
                                           << "B" + flat << "m" << 34;
    QTest::newRow("m6 before 6") << "Am6"
                                 << "A"
                                 << "m6" << 5;
    QTest::newRow("plain sixth") << "A6"
                                 << "A"
                                 << "6" << 4;
    QTest::newRow("maj7 is not m7") << "Dmaj7"
                                    << "D"
                                    << "maj7" << 62;
    QTest::newRow("m7 is not 7") << "Dm7"
                                 << "D"
                                 << "m7" << 63;
    QTest::newRow("sharp without blank") << "D#m"
                                         << "D"
                                         << "m" << 131;
    QTest::newRow("no type is major") << "G #"
                                      << "G #"
                                      << "" << 11;
}

void TestChordsButtonsPanel::setChordPicksRootAndType()
{
    QFETCH(QString, text);
    QFETCH(QString, root);
    QFETCH(QString, type);
    QFETCH(int, index);
    ChordsButtonsPanel panel;
    QSignalSpy spy(&panel, &ChordsButtonsPanel::chordChanged);

    panel.setChord(text);

    QVERIFY(rootButton(panel, root)->isChecked());
    QVERIFY(typeButton(panel, type)->isChecked());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), index);
    QCOMPARE(spy.at(0).at(1).toString(), text);
}

void TestChordsButtonsPanel::unknownRootKeepsTheRoot()
{
    ChordsButtonsPanel panel;
    panel.setChord("Fm");
    QSignalSpy spy(&panel, &ChordsButtonsPanel::chordChanged);

    panel.setChord("X");

    QCOMPARE(panel.currentChord(), QString("F"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 131);
    QCOMPARE(spy.at(0).at(1).toString(), QString("X"));
}

using HideOperation = void (ChordsButtonsPanel::*)();
Q_DECLARE_METATYPE(HideOperation)

void TestChordsButtonsPanel::hideOperationsHideOneTypeButton_data()
{
    QTest::addColumn<HideOperation>("hide");
    QTest::addColumn<QString>("type");
    QTest::newRow("major") << &ChordsButtonsPanel::hideBlank << "";
    QTest::newRow("m") << &ChordsButtonsPanel::hideM << "m";
    QTest::newRow("aug") << &ChordsButtonsPanel::hideAug << "aug";
    QTest::newRow("dim") << &ChordsButtonsPanel::hideDim << "dim";
    QTest::newRow("6") << &ChordsButtonsPanel::hide6 << "6";
    QTest::newRow("m6") << &ChordsButtonsPanel::hideM6 << "m6";
    QTest::newRow("7") << &ChordsButtonsPanel::hide7 << "7";
    QTest::newRow("m7") << &ChordsButtonsPanel::hideM7 << "m7";
    QTest::newRow("maj7") << &ChordsButtonsPanel::hideMaj7 << "maj7";
    QTest::newRow("9") << &ChordsButtonsPanel::hide9 << "9";
    QTest::newRow("sus4") << &ChordsButtonsPanel::hideSus4 << "sus4";
}

void TestChordsButtonsPanel::hideOperationsHideOneTypeButton()
{
    QFETCH(HideOperation, hide);
    QFETCH(QString, type);
    ChordsButtonsPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    (panel.*hide)();

    for (const QString& other : types)
        QCOMPARE(typeButton(panel, other)->isHidden(), other == type);

    // The hidden button can still be checked by text
    panel.setChord("C" + type);
    QVERIFY(typeButton(panel, type)->isChecked());
    QCOMPARE(panel.currentChord(), "C" + type);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestChordsButtonsPanel test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ChordsButtonsPanel.moc"
