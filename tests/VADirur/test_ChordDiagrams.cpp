#include "../common/PaintedParts.h"
#include "App.h"
#include "ChordStandardView.h"
#include "ChordTabView.h"
#include "ChordsButtonsPanel.h"
#include "MainPage.h"
#include "StartupSequence.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QtTest>

#include <algorithm>
#include <memory>

using DORuverud::App;

namespace {

// A part of a diagram that must show whole: the name, a fret number, a dot,
// a ring or a cross.
struct Mark
{
    QString what;
    QRect box;
    bool dot;
};

// The marks of one drawing and its straight lines (strings, frets, nut).
struct Diagram
{
    QList<Mark> marks;
    QList<QRect> across;
    QList<QRect> down;
};

QString describe(const QString& what, const QRect& box)
{
    return QStringLiteral("%1 at %2,%3 %4×%5")
        .arg(what)
        .arg(box.x())
        .arg(box.y())
        .arg(box.width())
        .arg(box.height());
}

// The two slanted strokes of a cross meet; each cross is one mark.
void addStroke(QList<Mark>* crosses, const QRect& box)
{
    for (Mark& cross : *crosses) {
        if (cross.box.intersects(box)) {
            cross.box |= box;
            return;
        }
    }
    crosses->append({QStringLiteral("cross"), box, false});
}

Diagram diagramOf(const PaintedParts& painted)
{
    Diagram diagram;
    QList<Mark> crosses;
    for (const PaintedParts::Part& part : painted.parts) {
        if (part.kind == PaintedParts::Kind::Text)
            diagram.marks.append(
                {QLatin1Char('"') + part.text + QLatin1Char('"'), part.box, false});
        else if (part.kind == PaintedParts::Kind::Ellipse)
            diagram.marks.append({part.filled ? QStringLiteral("dot") : QStringLiteral("ring"),
                part.box, part.filled});
        else if (part.kind == PaintedParts::Kind::Line && part.line.dy() == 0)
            diagram.across.append(part.box);
        else if (part.kind == PaintedParts::Kind::Line && part.line.dx() == 0)
            diagram.down.append(part.box);
        else if (part.kind == PaintedParts::Kind::Line)
            addStroke(&crosses, part.box);
    }
    diagram.marks += crosses;
    return diagram;
}

// At least one clear pixel between the two boxes.
bool apart(const QRect& a, const QRect& b)
{
    return !a.adjusted(-1, -1, 1, 1).intersects(b);
}

// A dot sits on its own string; every other mark keeps clear of every line.
QStringList lineFaults(const Mark& mark, const Diagram& diagram)
{
    QStringList found;
    int strings = 0;
    for (const QRect& line : diagram.across) {
        if (!apart(mark.box, line) && (!mark.dot || ++strings > 1))
            found << describe(mark.what, mark.box) + QStringLiteral(" meets a string");
    }
    for (const QRect& line : diagram.down) {
        if (!apart(mark.box, line))
            found << describe(mark.what, mark.box)
                    + describe(QStringLiteral(" meets a fret"), line);
    }
    return found;
}

bool isNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\"?\\d+\"?$"));
    return number.match(text).hasMatch();
}

// The clear pixels between two boxes side by side, or one above the other;
// -1 when they do not stand so.
int besideGap(const QRect& a, const QRect& b)
{
    if (a.bottom() < b.top() || b.bottom() < a.top())
        return -1;
    return qMax(a.left() - b.right(), b.left() - a.right()) - 1;
}

int belowGap(const QRect& a, const QRect& b)
{
    if (a.right() < b.left() || b.right() < a.left())
        return -1;
    return qMax(a.top() - b.bottom(), b.top() - a.bottom()) - 1;
}

// Numbers side by side read apart, three quarters of their height clear
// between them; a number stands half its height clear of a dot, ring or
// cross above it.
bool crowded(const Mark& mark, const Mark& other)
{
    const bool markNumber = isNumber(mark.what);
    if (markNumber && isNumber(other.what)) {
        const int between = besideGap(mark.box, other.box);
        return between >= 0 && between * 4 < 3 * qMin(mark.box.height(), other.box.height());
    }
    const Mark& number = markNumber ? mark : other;
    const Mark& marker = markNumber ? other : mark;
    if (!isNumber(number.what) || marker.what.startsWith(QLatin1Char('"')))
        return false;
    const int between = belowGap(number.box, marker.box);
    return between >= 0 && between * 2 < number.box.height();
}

// The centres of parallel lines, one for lines drawn over each other (the
// nut over the window's first line).
QList<int> centres(const QList<QRect>& lines, bool across)
{
    QList<int> found;
    for (const QRect& line : lines) {
        const int centre = across ? line.center().y() : line.center().x();
        if (std::none_of(
                found.begin(), found.end(), [centre](int c) { return qAbs(c - centre) <= 3; }))
            found << centre;
    }
    std::sort(found.begin(), found.end());
    return found;
}

// A cell is between 0.35 and 0.8 times as high as it is wide, give or take
// a pixel; the fret numbers stand no further under the lowest string than a
// dot's and a number's height.
QStringList shapeFaults(const Diagram& diagram)
{
    const QList<int> strings = centres(diagram.across, true);
    const QList<int> frets = centres(diagram.down, false);
    if (strings.size() < 2 || frets.size() < 2)
        return {QStringLiteral("no grid")};
    QStringList found;
    const double high = double(strings.last() - strings.first()) / (strings.size() - 1);
    const double wide = double(frets.last() - frets.first()) / (frets.size() - 1);
    if (high < 0.35 * wide - 1 || high > 0.8 * wide + 1)
        found << QStringLiteral("cells of %1 × %2").arg(wide).arg(high);
    int dot = 0;
    for (const Mark& mark : diagram.marks) {
        if (!mark.what.startsWith(QLatin1Char('"')))
            dot = qMax(dot, mark.box.height());
    }
    for (const Mark& mark : diagram.marks) {
        if (isNumber(mark.what) && mark.box.top() - strings.last() > dot + mark.box.height())
            found << describe(mark.what, mark.box) + QStringLiteral(" far under the grid");
    }
    return found;
}

QStringList faults(const Diagram& diagram, const QRect& view)
{
    QStringList found;
    const QRect inside = view.adjusted(1, 1, -1, -1);
    for (const QRect& line : diagram.across + diagram.down) {
        if (!inside.contains(line))
            found << describe(QStringLiteral("a line"), line) + QStringLiteral(" touches the edge");
    }
    for (int i = 0; i < diagram.marks.size(); ++i) {
        const Mark& mark = diagram.marks.at(i);
        if (!inside.contains(mark.box))
            found << describe(mark.what, mark.box) + QStringLiteral(" touches the edge");
        for (int j = i + 1; j < diagram.marks.size(); ++j) {
            const Mark& other = diagram.marks.at(j);
            if (!apart(mark.box, other.box))
                found << describe(mark.what, mark.box) + QStringLiteral(" meets ")
                        + describe(other.what, other.box);
            else if (crowded(mark, other))
                found << describe(mark.what, mark.box) + QStringLiteral(" crowds ")
                        + describe(other.what, other.box);
        }
        found += lineFaults(mark, diagram);
    }
    return found;
}

// The texts of a tablature (the name, the numbers, T, A and B) and its lines.
struct Tablature
{
    QList<Mark> texts;
    QList<QRect> lines;
};

Tablature tablatureOf(const PaintedParts& painted)
{
    Tablature tablature;
    for (const PaintedParts::Part& part : painted.parts) {
        if (part.kind == PaintedParts::Kind::Text)
            tablature.texts.append({part.text, part.box, false});
        else if (part.kind == PaintedParts::Kind::Line)
            tablature.lines.append(part.box);
    }
    return tablature;
}

// Along the string line through a number, the line's pixels cover at most
// half of the number's span, and in the picture the line stops short of it:
// the pixels beside the number on the line are light.
QStringList clearingFaults(const Mark& number, const Tablature& tablature, const QImage& image)
{
    const int middle = number.box.center().y();
    int y = -1;
    for (const QRect& line : tablature.lines) {
        const int at = line.center().y();
        if (line.width() > line.height() && at >= number.box.top() && at <= number.box.bottom()
            && (y < 0 || qAbs(at - middle) < qAbs(y - middle)))
            y = at;
    }
    if (y < 0)
        return {describe(number.what, number.box) + QStringLiteral(" stands on no line")};
    int covered = 0;
    for (const QRect& line : tablature.lines) {
        if (line.top() <= y && line.bottom() >= y)
            covered += qMax(0,
                qMin(line.right(), number.box.right()) - qMax(line.left(), number.box.left()) + 1);
    }
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    if (covered * 2 > number.box.width() || qGray(row[number.box.left() - 1]) < 128
        || qGray(row[number.box.right() + 1]) < 128)
        return {describe(number.what, number.box) + QStringLiteral(" is crossed by its line")};
    return {};
}

// Every string line ends at one point, within a pixel, as printed tablature
// ends; T, A and B stand right of that point, a quarter of their height or
// more away, and are no smaller than the smallest number. The title is the
// first text painted.
QStringList staffFaults(const Tablature& tablature)
{
    QMap<int, int> ends;
    for (const QRect& line : tablature.lines) {
        if (line.width() > line.height())
            ends[line.center().y()]
                = qMax(ends.value(line.center().y(), line.right()), line.right());
    }
    if (ends.isEmpty())
        return {QStringLiteral("no string line")};
    const auto [first, last] = std::minmax_element(ends.begin(), ends.end());
    QStringList found;
    if (*last - *first > 1)
        found << QStringLiteral("the lines end between x = %1 and %2").arg(*first).arg(*last);
    int smallest = INT_MAX;
    for (const Mark& text : tablature.texts) {
        if (isNumber(text.what))
            smallest = qMin(smallest, text.box.height());
    }
    static const QStringList letters = {"T", "A", "B"};
    for (int i = 1; i < tablature.texts.size(); ++i) {
        const Mark& letter = tablature.texts.at(i);
        if (!letters.contains(letter.what))
            continue;
        if (letter.box.height() < smallest)
            found << describe(letter.what, letter.box)
                    + QStringLiteral(" is lower than a number of %1 px").arg(smallest);
        if ((letter.box.left() - *last - 1) * 4 < letter.box.height())
            found << describe(letter.what, letter.box)
                    + QStringLiteral(" stands close to the lines' end at %1").arg(*last);
    }
    return found;
}

// Every text inside the view and apart from the others and from every line;
// two numbers a quarter of their height apart; each number cleared from its
// line in the painted picture.
QStringList tablatureFaults(const Tablature& tablature, const QRect& view, const QImage& image)
{
    QStringList found;
    const QRect inside = view.adjusted(1, 1, -1, -1);
    for (int i = 0; i < tablature.texts.size(); ++i) {
        const Mark& text = tablature.texts.at(i);
        if (!inside.contains(text.box))
            found << describe(text.what, text.box) + QStringLiteral(" touches the edge");
        for (int j = i + 1; j < tablature.texts.size(); ++j) {
            const Mark& other = tablature.texts.at(j);
            const int between = belowGap(text.box, other.box);
            if (!apart(text.box, other.box)
                || (isNumber(text.what) && isNumber(other.what) && between >= 0
                    && between * 4 < text.box.height()))
                found << describe(text.what, text.box) + QStringLiteral(" meets ")
                        + describe(other.what, other.box);
        }
        for (const QRect& line : tablature.lines) {
            if (!apart(text.box, line))
                found << describe(text.what, text.box)
                        + describe(QStringLiteral(" meets a line"), line);
        }
        if (isNumber(text.what))
            found += clearingFaults(text, tablature, image);
    }
    return found;
}

// Whether the parts account for every pixel the view really paints: the
// picture of the view shows nothing outside their boxes. Smoothing on the
// view's opaque white may leave a trace a part drawn alone rounds away.
bool partsCoverThePicture(QImage image, const PaintedParts& painted)
{
    QPainter painter(&image);
    for (const PaintedParts::Part& part : painted.parts) {
        if (part.kind != PaintedParts::Kind::Rect)
            painter.fillRect(part.box, Qt::white);
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(line, line + image.width(), [](QRgb pixel) { return qGray(pixel) < 250; }))
            return false;
    }
    return true;
}

// The smallest number that a six-string tablature, the one with the
// smallest digits, paints in a view of that size under that title.
int smallestDigits(const QSize& size, const QString& title)
{
    VADirur::ChordTabView tablature(nullptr);
    tablature.resize(size);
    tablature.setInstrumentName(QStringLiteral("guitar"));
    tablature.setChordTabAndName(0, {0, 1, 2, 3, 4, 5}, title);
    int smallest = INT_MAX;
    for (const PaintedParts::Part& part : PaintedParts(&tablature).parts) {
        if (part.kind == PaintedParts::Kind::Text && isNumber(part.text))
            smallest = qMin(smallest, part.box.height());
    }
    return smallest;
}

// The keyboard's octave labels and note names, every text after the title:
// each at least as tall as the smallest digits of a tablature in the
// keyboard's place, inside the view and clear of every other part painted
// but the background.
QStringList keyboardFaults(const PaintedParts& painted, const QRect& view)
{
    const QList<PaintedParts::Part>& parts = painted.parts;
    const auto title = std::find_if(parts.begin(), parts.end(),
        [](const PaintedParts::Part& part) { return part.kind == PaintedParts::Kind::Text; });
    if (title == parts.end())
        return {QStringLiteral("no title")};
    const int digits = smallestDigits(view.size(), title->text);
    QStringList found;
    QStringList labels;
    const QRect inside = view.adjusted(1, 1, -1, -1);
    for (auto text = title + 1; text != parts.end(); ++text) {
        if (text->kind != PaintedParts::Kind::Text)
            continue;
        labels << text->text;
        if (text->box.height() < digits)
            found << describe(text->text, text->box)
                    + QStringLiteral(" is lower than a number of %1 px").arg(digits);
        if (!inside.contains(text->box))
            found << describe(text->text, text->box) + QStringLiteral(" touches the edge");
        for (auto other = parts.begin(); other != parts.end(); ++other) {
            if (other != text && !other->box.contains(view) && !apart(text->box, other->box))
                found << describe(text->text, text->box) + QStringLiteral(" meets ")
                        + describe(other->text, other->box);
        }
    }
    if (!labels.contains(QStringLiteral("C3")) || !labels.contains(QStringLiteral("C4")))
        found << QStringLiteral("octave labels missing from ") + labels.join(QLatin1Char(' '));
    return found;
}

QButtonGroup* groupOf(const VADirur::ChordsButtonsPanel* panel, int buttons)
{
    for (QButtonGroup* group : panel->findChildren<QButtonGroup*>()) {
        if (group->buttons().size() == buttons)
            return group;
    }
    return nullptr;
}

} // namespace

// Every chord of every instrument, named as the selector names it, drawn in
// the main window at its least, its first, a desktop's and a large screen's
// size, wide and short, and at its least width or height on that screen:
// every name, number, dot, ring and cross of the diagram lies inside the
// view, clear of its edge, of the others and of the lines, in cells of a
// diagram's proportions with the numbers just under them. On the fretted
// pages every name, number and letter of the tablature lies clear of the
// others and of the lines, each number on its line cleared behind it, the
// lines ending together before T, A and B. On the piano's page the
// keyboard's octave labels and note names are as tall as a tablature's
// smallest digits and clear of the title, the keys and each other.
class TestChordDiagrams : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyChordShowsWhole_data();
    void everyChordShowsWhole();

private:
    std::unique_ptr<MainPage> m_window;
};

void TestChordDiagrams::initTestCase()
{
    App::theApp()->setSettingsValue(QStringLiteral("NeverShowItAgain"), true);
    m_window = std::make_unique<MainPage>(nullptr);
    StartupSequence::prepareWindow(*App::theApp(), *m_window);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestChordDiagrams::cleanupTestCase()
{
    m_window.reset();
}

void TestChordDiagrams::everyChordShowsWhole_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QSize>("size");
    // Those the test is run for, or all.
    QStringList instruments
        = qEnvironmentVariable("TESSIVAR_CHORD_INSTRUMENTS").split(' ', Qt::SkipEmptyParts);
    if (instruments.isEmpty())
        instruments
            = QStringList {"Piano", "Guitar", "Bass", "Ukulele", "Banjo", "Mandolin", "Balalaika"};
    for (const QString& name : qAsConst(instruments)) {
        const QByteArray bytes = name.toUtf8();
        const char* const instrument = bytes.constData();
        const QString item = name + "Item";
        QTest::addRow("%s at the least size", instrument) << item << QSize(0, 0);
        QTest::addRow("%s at 620 × 620", instrument) << item << QSize(620, 620);
        QTest::addRow("%s at 360 × 640", instrument) << item << QSize(360, 640);
        QTest::addRow("%s at 1280 × 720", instrument) << item << QSize(1280, 720);
        QTest::addRow("%s at 1600 × 1200", instrument) << item << QSize(1600, 1200);
        QTest::addRow("%s at 2560 × 1600", instrument) << item << QSize(2560, 1600);
        QTest::addRow("%s at 2560 × 640", instrument) << item << QSize(2560, 640);
        QTest::addRow("%s at the least width, 1600 high", instrument) << item << QSize(0, 1600);
        QTest::addRow("%s 2560 wide at the least height", instrument) << item << QSize(2560, 0);
    }
}

void TestChordDiagrams::everyChordShowsWhole()
{
    QFETCH(QString, item);
    QFETCH(QSize, size);
    QTest::mouseClick(m_window->findChild<QPushButton*>(item), Qt::LeftButton);
    // A side of 0 stands for the window's least.
    const QSize wanted = size.expandedTo(m_window->minimumSize());
    for (int pass = 0; pass < 3; ++pass) {
        m_window->resize(wanted);
        QCoreApplication::processEvents();
    }
    QCOMPARE(m_window->size(), wanted);
    QWidget* page = m_window->findChild<QStackedWidget*>()->currentWidget();
    auto* view = page->findChild<VADirur::ChordStandardView*>();
    auto* tabView = page->findChild<VADirur::ChordTabView*>();
    const bool fretted = item != QLatin1String("PianoItem");
    auto* panel = page->findChild<VADirur::ChordsButtonsPanel*>();
    QButtonGroup* roots = groupOf(panel, VADirur::ChordsButtonsPanel::RootLabelCount);
    QButtonGroup* types = groupOf(panel, VADirur::ChordsButtonsPanel::TypeLabelCount);
    QVERIFY(view && tabView && roots && types);
    QSet<int> chords;
    connect(panel, &VADirur::ChordsButtonsPanel::chordChanged, view,
        [&chords](int index) { chords << index; });

    QStringList found;
    QImage picture(view->size(), QImage::Format_RGB32);
    QImage tabPicture(tabView->size(), QImage::Format_RGB32);
    for (QAbstractButton* root : roots->buttons()) {
        // Each root once: its sharp name, the wider, rather than its flat one.
        const int drawn = chords.size();
        if (root->text().contains(QChar(0x266D)))
            continue;
        root->click();
        if (chords.size() == drawn)
            continue;
        for (QAbstractButton* type : types->buttons()) {
            type->click();
            const PaintedParts painted(view);
            const QString chord = panel->currentChord() + QStringLiteral(": ");
            const Diagram diagram = diagramOf(painted);
            for (const QString& fault : faults(diagram, view->rect()))
                found << chord + fault;
            view->render(&picture);
            if (!partsCoverThePicture(picture, painted))
                found << chord + QStringLiteral("painted more than its parts");
            if (!fretted) {
                for (const QString& fault : keyboardFaults(PaintedParts(tabView), tabView->rect()))
                    found << chord + QStringLiteral("keyboard: ") + fault;
                continue;
            }
            for (const QString& fault : shapeFaults(diagram))
                found << chord + fault;
            const PaintedParts tabPainted(tabView);
            tabView->render(&tabPicture);
            if (!partsCoverThePicture(tabPicture, tabPainted))
                found << chord + QStringLiteral("tablature painted more than its parts");
            const Tablature tablature = tablatureOf(tabPainted);
            for (const QString& fault :
                tablatureFaults(tablature, tabView->rect(), tabPicture) + staffFaults(tablature))
                found << chord + QStringLiteral("tablature: ") + fault;
        }
    }
    disconnect(panel, nullptr, view, nullptr);

    QCOMPARE(chords.size(), 132);
    QVERIFY2(found.isEmpty(),
        qPrintable(QStringLiteral("%1 × %2, %3 faults:\n")
                       .arg(view->width())
                       .arg(view->height())
                       .arg(found.size())
            + found.mid(0, 12).join('\n')));
}

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    StartupSequence::configure(app);
    TestChordDiagrams test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ChordDiagrams.moc"
