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
    static const QVector<Root> all = {{"A", 0}, {"A" + flat, 1}, {"G #", 1}, {"B", 2},
        {"C" + flat, 2}, {"B" + flat, 3}, {"A #", 3}, {"C", 4}, {"B #", 4}, {"D", 5},
        {"D" + flat, 6}, {"C #", 6}, {"E", 7}, {"F" + flat, 7}, {"E" + flat, 8}, {"D #", 8},
        {"F", 9}, {"E #", 9}, {"G", 10}, {"G" + flat, 11}, {"F #", 11}};
    return all;
}

// Type labels in type-index order.
const QStringList types = {"", "m", "aug", "dim", "6", "m6", "7", "maj7", "m7", "9", "sus4"};

QList<QPushButton*> buttons(const ChordsButtonsPanel& panel, const QString& frame)
{
    return panel.findChild<QFrame*>(frame)->findChildren<QPushButton*>();
}

QPushButton* button(const ChordsButtonsPanel& panel, const QString& frame, const QString& text)
{
    for (QPushButton* b : buttons(panel, frame)) {
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
    void newPanelShowsA();
    void everyChordTextHasItsIndex_data();
    void everyChordTextHasItsIndex();
    void otherTextsGive131_data();
    void otherTextsGive131();
    void pressingButtonsAnnouncesTheChord();
    void hideOperationsHideOneTypeButton();
};

void TestChordsButtonsPanel::newPanelShowsA()
{
    // GIVEN a new panel
    ChordsButtonsPanel panel;
    QSignalSpy spy(&panel, &ChordsButtonsPanel::chordChanged);

    // THEN it shows A major on 21 + 11 flat, checkable buttons the style sheet
    // names, and has said nothing
    QCOMPARE(panel.currentChord(), QString("A"));
    const QList<QPushButton*> all
        = buttons(panel, "ChordButtonsFrame") + buttons(panel, "ChordOptionsFrame");
    QCOMPARE(all.size(), 32);
    for (const QPushButton* b : all)
        QVERIFY(b->objectName() == "PanelButton" && b->isFlat() && b->isCheckable());
    QCOMPARE(spy.count(), 0);
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

// Every text names its index, and setChord checks exactly its root and type
// buttons (m6 before 6, maj7 and m7 before 7, dim before m) and announces it.
void TestChordsButtonsPanel::everyChordTextHasItsIndex()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    ChordsButtonsPanel panel;
    QCOMPARE(panel.stringToChord(text), index);

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
    QTest::addColumn<QString>("shown");
    QTest::newRow("blank between root and type") << "A m"
                                                 << "Am";
    QTest::newRow("line feed between root and type") << "A\nm"
                                                     << "Am";
    QTest::newRow("ascii b for the flat") << "Ab"
                                          << "A";
    QTest::newRow("sharp without blank") << "D#m"
                                         << "Dm";
    QTest::newRow("trailing blank") << "A "
                                    << "A";
    QTest::newRow("unknown type") << "Cmaj9"
                                  << "C9";
    QTest::newRow("lower case keeps the root") << "am"
                                               << "Fm";
    QTest::newRow("leading blank keeps the root") << " A"
                                                  << "F";
    QTest::newRow("unknown root keeps the root") << "X"
                                                 << "F";
    QTest::newRow("empty") << ""
                           << "F";
}

// Texts outside the 231 give 131; setChord still checks what it recognises.
void TestChordsButtonsPanel::otherTextsGive131()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    ChordsButtonsPanel panel;
    panel.setChord("Fm");
    QSignalSpy spy(&panel, &ChordsButtonsPanel::chordChanged);

    panel.setChord(text);

    QCOMPARE(panel.stringToChord(text), 131);
    QCOMPARE(panel.currentChord(), shown);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 131);
    QCOMPARE(spy.at(0).at(1).toString(), text);
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
    QCOMPARE(spy.last().at(0).toInt(), 118);
    QCOMPARE(spy.last().at(1).toString(), QString("Gm7"));
}

// Each hide operation hides its own type button, which can still be checked
// by text.
void TestChordsButtonsPanel::hideOperationsHideOneTypeButton()
{
    const QVector<void (ChordsButtonsPanel::*)()> operations
        = {&ChordsButtonsPanel::hideBlank, &ChordsButtonsPanel::hideM, &ChordsButtonsPanel::hideAug,
            &ChordsButtonsPanel::hideDim, &ChordsButtonsPanel::hide6, &ChordsButtonsPanel::hideM6,
            &ChordsButtonsPanel::hide7, &ChordsButtonsPanel::hideMaj7, &ChordsButtonsPanel::hideM7,
            &ChordsButtonsPanel::hide9, &ChordsButtonsPanel::hideSus4};
    for (int type = 0; type < types.size(); ++type) {
        ChordsButtonsPanel panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        (panel.*operations.at(type))();
        for (const QString& other : types)
            QCOMPARE(typeButton(panel, other)->isHidden(), other == types.at(type));
        panel.setChord("C" + types.at(type));
        QCOMPARE(panel.currentChord(), "C" + types.at(type));
    }
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestChordsButtonsPanel test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ChordsButtonsPanel.moc"
