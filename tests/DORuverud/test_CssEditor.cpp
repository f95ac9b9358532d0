#include "App.h"
#include "CssDoc.h"
#include "CssEditor.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <functional>

using DORuverud::CssDoc;
using DORuverud::CssEditor;

// Answers the next file dialog that opens: chooses path, or cancels when
// path is empty. Keeps the dialog's caption.
class FileDialogAnswer
{
public:
    explicit FileDialogAnswer(const QString& path)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, path]() {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(window);
                if (!dialog || !dialog->isVisible())
                    continue;
                m_poll.stop();
                caption = dialog->windowTitle();
                ++shown;
                if (path.isEmpty()) {
                    dialog->reject();
                } else {
                    dialog->selectFile(path);
                    static_cast<QDialog*>(dialog)->accept();
                }
                return;
            }
        });
        m_poll.start();
    }

    QString caption;
    int shown = 0;

private:
    QTimer m_poll;
};

static QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class TestCssEditor : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void menusAndToolBar();
    void applyAndReset();
    void saveAndLoadRoundTrip();
    void saveWithoutPathAsksForOne();
    void informationModeNamesWidgets();
};

void TestCssEditor::cleanup()
{
    qApp->setStyleSheet(QString());
}

void TestCssEditor::menusAndToolBar()
{
    CssEditor editor(nullptr);

    QStringList menus;
    for (QAction* menu : editor.menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList {"&File", "&Help"}));
    QStringList tools;
    for (QAction* action : editor.findChild<QToolBar*>()->actions())
        tools << action->text();
    QCOMPARE(tools, (QStringList {"&Open...", "&Save", "&Apply", "&Reset", "&SetInfo"}));
    QCOMPARE(editor.findChild<QToolBar*>()->windowTitle(), QStringLiteral("Operations"));
    QCOMPARE(editor.statusBar()->currentMessage(), QStringLiteral("Ready"));
    QCOMPARE(editor.windowTitle(), QString());
    QVERIFY(qobject_cast<CssDoc*>(editor.centralWidget()));
}

void TestCssEditor::applyAndReset()
{
    // GIVEN a style sheet typed into the editor
    CssEditor editor(nullptr);
    CssDoc* doc = editor.findChild<CssDoc*>();
    const QString sheet = QStringLiteral("QPushButton#Probe { min-width: 77px; }");
    doc->setPlainText(sheet);

    // WHEN it is applied
    editor.slotApply();

    // THEN the whole application takes it, and the text area keeps its own look
    QCOMPARE(qApp->styleSheet(), sheet);
    QPushButton probe;
    probe.setObjectName(QStringLiteral("Probe"));
    probe.ensurePolished();
    QVERIFY(probe.minimumWidth() >= 77);
    QCOMPARE(doc->styleSheet(), QStringLiteral("QTextEdit{background: #000060; color: yellow;}"));
    QCOMPARE(doc->document()->defaultFont().family(), QStringLiteral("Lucida Console"));
    QCOMPARE(doc->document()->defaultFont().pointSize(), 12);

    // WHEN it is reset, the application has no style sheet and the text stays
    editor.slotReset();
    QCOMPARE(qApp->styleSheet(), QString());
    QCOMPARE(doc->toPlainText(), sheet);

    // AND an empty text applied leaves none either
    doc->clear();
    qApp->setStyleSheet(sheet);
    editor.slotApply();
    QCOMPARE(qApp->styleSheet(), QString());
}

void TestCssEditor::saveAndLoadRoundTrip()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("look.qss"));
    const QString sheet = QStringLiteral("QLabel { color: red; }\n/* ünïcödé */\n");

    // GIVEN an editor whose text is saved under a chosen name
    CssEditor writer(nullptr);
    writer.show();
    CssDoc* doc = writer.findChild<CssDoc*>();
    doc->setPlainText(sheet);
    {
        FileDialogAnswer answer(path);
        doc->slotSaveAs();
        QVERIFY(!answer.caption.contains(QLatin1Char('/')));
    }
    QCOMPARE(QString::fromUtf8(fileContent(path)), sheet);
    QCOMPARE(writer.windowTitle(), path);

    // WHEN another editor loads the file
    CssEditor reader(nullptr);
    reader.show();
    {
        FileDialogAnswer answer(path);
        reader.findChild<CssDoc*>()->slotLoad();
    }

    // THEN it shows the same text, titled with the path
    QCOMPARE(reader.findChild<CssDoc*>()->toPlainText(), sheet);
    QCOMPARE(reader.windowTitle(), path);

    // AND a later Save As offers the current path as its caption
    FileDialogAnswer again {QString()};
    doc->slotSaveAs();
    QCOMPARE(again.caption, path);
}

void TestCssEditor::saveWithoutPathAsksForOne()
{
    QTemporaryDir folder;
    CssEditor editor(nullptr);
    editor.show();
    CssDoc* doc = editor.findChild<CssDoc*>();
    doc->setPlainText(QStringLiteral("QWidget {}"));

    // A cancelled dialog writes nothing and leaves the path empty.
    {
        FileDialogAnswer cancel {QString()};
        doc->slotSave();
        QCOMPARE(cancel.shown, 1);
    }
    QCOMPARE(editor.windowTitle(), QString());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());

    // A chosen name is written, and the next Save asks no more.
    const QString path = folder.filePath(QStringLiteral("a.css"));
    {
        FileDialogAnswer choose(path);
        doc->slotSave();
    }
    doc->setPlainText(QStringLiteral("QWidget { color: blue; }"));
    FileDialogAnswer none {QString()};
    doc->slotSave();
    QCOMPARE(none.shown, 0);
    QCOMPARE(fileContent(path), QByteArray("QWidget { color: blue; }"));
}

void TestCssEditor::informationModeNamesWidgets()
{
    // GIVEN a window with a named and an unnamed button
    QWidget window;
    window.setObjectName(QStringLiteral("ProbeWindow"));
    QPushButton* named = new QPushButton(&window);
    named->setObjectName(QStringLiteral("ProbeButton"));
    named->setToolTip(QStringLiteral("Press me"));
    QPushButton* unnamed = new QPushButton(&window);
    CssEditor editor(nullptr);
    CssDoc* doc = editor.findChild<CssDoc*>();
    doc->setObjectName(QStringLiteral("Text"));

    // WHEN the information mode runs twice
    editor.slotApplyToolTipsInfo();
    QCOMPARE(named->toolTip(), QStringLiteral("QPushButton\nProbeButton\nPress me"));
    QCOMPARE(window.toolTip(), QStringLiteral("QWidget\nProbeWindow\n"));
    editor.slotApplyToolTipsInfo();

    // THEN named widgets carry class and name twice; the rest is untouched
    QCOMPARE(named->toolTip(),
        QStringLiteral("QPushButton\nProbeButton\nQPushButton\nProbeButton\nPress me"));
    QCOMPARE(unnamed->toolTip(), QString());
    QCOMPARE(doc->toolTip(), QString());
    QCOMPARE(doc->viewport()->toolTip(), QString());
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestCssEditor test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_CssEditor.moc"
