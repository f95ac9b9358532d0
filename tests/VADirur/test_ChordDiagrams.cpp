#include "../common/PaintedParts.h"
#include "App.h"
#include "ChordStandardView.h"
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

// Numbers side by side read apart: half their height clear between them.
bool crowded(const Mark& mark, const Mark& other)
{
    static const QRegularExpression number(QStringLiteral("^\"\\d+\"$"));
    if (!number.match(mark.what).hasMatch() || !number.match(other.what).hasMatch()
        || mark.box.bottom() < other.box.top() || other.box.bottom() < mark.box.top())
        return false;
    const int between
        = qMax(mark.box.left() - other.box.right(), other.box.left() - mark.box.right());
    return between <= qMin(mark.box.height(), other.box.height()) / 2;
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

// Whether the parts account for every pixel the view really paints: the
// picture of the view shows nothing outside their boxes. Smoothing on the
// view's opaque white may leave a trace a part drawn alone rounds away.
bool partsCoverThePicture(QWidget* view, const PaintedParts& painted, QImage* image)
{
    view->render(image);
    QPainter painter(image);
    for (const PaintedParts::Part& part : painted.parts) {
        if (part.kind != PaintedParts::Kind::Rect)
            painter.fillRect(part.box, Qt::white);
    }
    painter.end();
    for (int y = 0; y < image->height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image->constScanLine(y));
        if (std::any_of(line, line + image->width(), [](QRgb pixel) { return qGray(pixel) < 250; }))
            return false;
    }
    return true;
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
// the main window at its least, its first and a large screen's
// size, and at its least width or height on that screen: every name,
// number, dot, ring and cross of the diagram lies inside the view, clear of
// its edge, of the others and of the lines.
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
    for (const char* instrument :
        {"Piano", "Guitar", "Bass", "Ukulele", "Banjo", "Mandolin", "Balalaika"}) {
        const QString item = QString(instrument) + "Item";
        QTest::addRow("%s at the least size", instrument) << item << QSize(0, 0);
        QTest::addRow("%s at 620 × 620", instrument) << item << QSize(620, 620);
        QTest::addRow("%s at 2560 × 1600", instrument) << item << QSize(2560, 1600);
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
    auto* panel = page->findChild<VADirur::ChordsButtonsPanel*>();
    QButtonGroup* roots = groupOf(panel, VADirur::ChordsButtonsPanel::RootLabelCount);
    QButtonGroup* types = groupOf(panel, VADirur::ChordsButtonsPanel::TypeLabelCount);
    QVERIFY(view && roots && types);
    QSet<int> chords;
    connect(panel, &VADirur::ChordsButtonsPanel::chordChanged, view,
        [&chords](int index) { chords << index; });

    QStringList found;
    QImage picture(view->size(), QImage::Format_RGB32);
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
            for (const QString& fault : faults(diagramOf(painted), view->rect()))
                found << chord + fault;
            if (!partsCoverThePicture(view, painted, &picture))
                found << chord + QStringLiteral("painted more than its parts");
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
