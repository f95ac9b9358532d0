#include "../common/HostileHtml.h"
#include "../common/TestFolder.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "RichtextEditor.h"
#include "TextEdit.h"

#include <QScreen>
#include <QTextEdit>

#include <memory>

using namespace DialogTestTools;
using namespace EditorTestTools;

namespace {

// Pictures 130 pixels wide and 100,000 high: three a line at the editor's
// own narrowest text width, laid out within the height a document may take;
// two a line at any width the pocket screen leaves, and past it.
const QByteArray threeALine
    = HostileHtml::repeated("<img src=\"a.png\" width=\"130\" height=\"100000\">", 240);

std::unique_ptr<QWidget> editor(bool compact)
{
    if (compact)
        return std::make_unique<DORuverud::RichtextEditor>();
    return std::make_unique<TextEdit>();
}

} // namespace

// The rich-text editor on a screen narrower than its own narrowest width,
// 360 pixels as the pocket device's: it still fits, and it tries each page
// at the narrowest width it takes there.
class TestTextEditPocket : public QObject
{
    Q_OBJECT

private slots:
    void editorFitsTheScreen_data()
    {
        QTest::addColumn<bool>("compact");
        QTest::newRow("the editor's window") << false;
        QTest::newRow("the compact editor") << true;
    }

    void editorFitsTheScreen()
    {
        QFETCH(bool, compact);
        // GIVEN the editor shown on the pocket screen
        const std::unique_ptr<QWidget> window = editor(compact);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const int screen = window->screen()->availableGeometry().width();
        QCOMPARE(screen, 360);
        // WHEN it is made as narrow as the screen
        window->resize(screen, 600);
        // THEN it takes that width, its text area within it
        QVERIFY2(window->minimumSizeHint().width() <= screen,
            qPrintable(QString::number(window->minimumSizeHint().width())));
        QTRY_COMPARE(window->width(), screen);
        const QTextEdit* area = window->findChild<QTextEdit*>();
        QVERIFY(area->mapTo(window.get(), QPoint(area->width(), 0)).x() <= screen);
    }

    // GIVEN a page that fits the height a document may take only at the
    // editor's own narrowest width
    // WHEN it is opened on the pocket screen
    // THEN it is refused: at the narrowest width the window takes there, it
    // is taller than that, or costs Qt's layout more than a page is given
    void pagesAreTriedAtTheNarrowestWidthThere()
    {
        TestFolder folder;
        const QString path = folder.write("page.html", threeALine);
        TextEdit window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString message = messageAfterFileDialog(path, [&window] {
            window.slotFileOpen();
            settled(&window);
        });
        QVERIFY2(message.contains("It is taller than this editor can lay out.")
                || message.contains("to lay out, more than this editor gives a page."),
            qPrintable(message));
    }
};

QTEST_MAIN(TestTextEditPocket)
#include "test_TextEditPocket.moc"
