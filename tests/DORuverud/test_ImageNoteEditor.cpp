#include "../common/MouseDrag.h"
#include "App.h"
#include "ColorWidget.h"
#include "ColorWidgetPopup.h"
#include "Common.h"
#include "DialogTestTools.h"
#include "ImageNoteEditor.h"
#include "ImageNoteTestTools.h"
#include "ImageNoteWorkArea.h"
#include "NoteEditDragPreview.h"
#include "Os.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>

using namespace DialogTestTools;
using namespace ImageNoteTestTools;
using DORuverud::ImageNoteEditor;
using DORuverud::ImageNoteWorkArea;
using Mode = DORuverud::ImageNoteWorkArea::Mode;

namespace {

// Answers the modal windows that open, one answer each, in order: a button
// caption, or "save"/"cancel save" for the file dialog. Keeps the boxes' texts.
class ModalAnswers
{
public:
    ModalAnswers(const QStringList& answers, const QString& saveAs)
        : m_answers(answers)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, saveAs] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last || m_answers.isEmpty())
                return;
            m_last = modal;
            const QString answer = m_answers.takeFirst();
            if (answer.endsWith("save"))
                return fileDialogAnswer(saveAs, answer == "save")(modal);
            for (QLabel* label : modal->findChildren<QLabel*>()) {
                if (!label->text().isEmpty())
                    texts << label->text();
            }
            click(modal, answer);
        });
        m_poll.start();
    }

    QStringList texts;

private:
    QStringList m_answers;
    QTimer m_poll;
    QPointer<QWidget> m_last;
};

QString atScale(const QString& atScale1, const QString& atScale2)
{
    return Os::scaleFactor() == 2.0 ? atScale2 : atScale1;
}

// The hidden button that carries the tool menu.
QPushButton* menuHolder(QWidget* editor)
{
    for (QPushButton* button : editor->findChildren<QPushButton*>()) {
        if (button->text() == "DRA")
            return button;
    }
    return nullptr;
}

QAction* menuAction(QPushButton* button, const QString& text)
{
    for (QAction* action : button->menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QString sizeText(const QSize& size)
{
    return QString("%1x%2").arg(size.width()).arg(size.height());
}

// Runs act inside the application's event loop: true when act ended the
// application, false when the application went on to its next event.
bool endsTheApplication(const std::function<void()>& act)
{
    bool wentOn = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        act();
        QTimer::singleShot(0, &guard, [&] {
            wentOn = true;
            QCoreApplication::exit();
        });
    });
    QCoreApplication::exec();
    return !wentOn;
}

} // namespace

// Runs on a virtual 1920 x 1200 screen, at scale factor 1 and 2.
class TestImageNoteEditor : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_editor.reset(new ImageNoteEditor);
        m_area = m_editor->findChild<ImageNoteWorkArea*>();
        m_editor->slotSetPixmap(QPixmap::fromImage(knownPicture(QSize(800, 600))));
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    }

    void windowFitsTheDesktop_data()
    {
        QTest::addColumn<QSize>("grab");
        QTest::addColumn<QString>("atScale1");
        QTest::addColumn<QString>("atScale2");
        QTest::newRow("small") << QSize(600, 400) << "600x400 in 700x490"
                               << "300x200 in 400x290";
        QTest::newRow("wider than two thirds") << QSize(1300, 700) << "1300x700 in 1280x800"
                                               << "650x350 in 640x400";
        QTest::newRow("high density grab") << QSize(2880, 1800) << "2880x1800 in 1280x800"
                                           << "1440x900 in 640x400";
        QTest::newRow("halves round up") << QSize(601, 401) << "601x401 in 701x491"
                                         << "301x201 in 401x291";
    }

    // The window is never smaller than its controls.
    void windowFitsTheDesktop()
    {
        QFETCH(QSize, grab);
        QFETCH(QString, atScale1);
        QFETCH(QString, atScale2);
        m_editor->slotSetPixmap(QPixmap::fromImage(knownPicture(grab)));
        const QStringList expected = atScale(atScale1, atScale2).split(" in ");
        QCOMPARE(sizeText(m_area->size()), expected[0]);
        const QStringList window = expected[1].split('x');
        QCOMPARE(m_editor->size(),
            QSize(window[0].toInt(), window[1].toInt()).expandedTo(m_editor->minimumSizeHint()));
    }

    void questionsGuardTheDrawing_data()
    {
        const QString save = "Do you want to save the current changes to the file?";
        const QString lose
            = "The changes of the curent image are not saved.\nAfter creation of the "
              "new screen shot these changes will be lost.\nContinue?";
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("saved");
        QTest::newRow("close, no: hidden")
            << "close" << QStringList {"No"} << save << false << false;
        QTest::newRow("close, cancel")
            << "close" << QStringList {"Cancel"} << save << true << false;
        QTest::newRow("close, yes: saved")
            << "close" << QStringList {"Yes", "save"} << save << true << true;
        QTest::newRow("close, yes, save cancelled")
            << "close" << QStringList {"Yes", "cancel save"} << save << true << false;
        QTest::newRow("close once saved") << "close" << QStringList {"save"} << "" << false << true;
        QTest::newRow("new shot, yes") << "new" << QStringList {"Yes"} << lose << true << false;
        QTest::newRow("new shot, no") << "new" << QStringList {"No"} << lose << true << false;
        QTest::newRow("new shot once saved") << "new" << QStringList {"save"} << "" << true << true;
    }

    // The host answers a request for a new screenshot with a real grab of the screen.
    void questionsGuardTheDrawing()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, answers);
        QFETCH(QString, question);
        QFETCH(bool, visible);
        QFETCH(bool, saved);
        // GIVEN a drawing, saved or not
        QTemporaryDir dir;
        MouseDrag::drag(m_area, QPoint(10, 10), QPoint(100, 100));
        const QImage drawing = shown(*m_area);
        ModalAnswers reply(answers, dir.filePath("saved.png"));
        if (answers.first() == "save")
            m_area->slotSave();
        QSignalSpy request(m_editor.get(), &ImageNoteEditor::doNewScreenShot);
        connect(m_editor.get(), &ImageNoteEditor::doNewScreenShot, [this] {
            QVERIFY(!m_editor->isVisible());
            m_editor->slotSetPixmap(DORuverud::Common::grabScreen());
            m_editor->show();
        });
        // WHEN the window is closed or a new screenshot asked for
        if (action == "close")
            m_editor->close();
        else
            QTest::mouseClick(
                m_editor->findChild<QPushButton*>("NewScreenShowButton"), Qt::LeftButton);
        // THEN the question asked, if any, decides; a new screenshot replaces the drawing
        QCOMPARE(reply.texts, question.isEmpty() ? QStringList() : QStringList(question));
        QCOMPARE(m_editor->isVisible(), visible);
        QCOMPARE(QFileInfo::exists(dir.filePath("saved.png")), saved);
        if (request.isEmpty())
            QCOMPARE(shown(*m_area), drawing);
        else
            QCOMPARE(m_area->size(), QGuiApplication::primaryScreen()->size());
        QCOMPARE(request.count(), int(action == "new" && answers.first() != "No"));
    }

    void quitAsksAboutTheDrawing_data()
    {
        const QString save = "Do you want to save the current changes to the file?";
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("quits");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel: runs on")
            << "button" << QStringList {"Cancel"} << "saved.png" << save << false << false;
        QTest::newRow("no: quits unsaved")
            << "button" << QStringList {"No"} << "saved.png" << save << true << false;
        QTest::newRow("yes: saved, then quits")
            << "button" << QStringList {"Yes", "save"} << "saved.png" << save << true << true;
        QTest::newRow("yes, save cancelled: runs on")
            << "button" << QStringList {"Yes", "cancel save"} << "saved.png" << save << false
            << false;
        QTest::newRow("yes, save failed: runs on")
            << "button" << QStringList {"Yes", "save", "OK"} << "file.txt/saved.png" << save
            << false << false;
        QTest::newRow("once saved: quits without a word")
            << "button" << QStringList {"save"} << "saved.png"
            << "" << true << true;
        QTest::newRow("app menu, cancel: runs on")
            << "app menu" << QStringList {"Cancel"} << "saved.png" << save << false << false;
        QTest::newRow("app menu, no: quits")
            << "app menu" << QStringList {"No"} << "saved.png" << save << true << false;
    }

    // Quit ends the application only once the drawing is saved or given up.
    void quitAsksAboutTheDrawing()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, answers);
        QFETCH(QString, saveAs);
        QFETCH(QString, question);
        QFETCH(bool, quits);
        QFETCH(bool, saved);
        // GIVEN a drawing, saved or not
        QTemporaryDir dir;
        QFile(dir.filePath("file.txt")).open(QIODevice::WriteOnly);
        MouseDrag::drag(m_area, QPoint(10, 10), QPoint(100, 100));
        const QImage drawing = shown(*m_area);
        ModalAnswers reply(answers, dir.filePath(saveAs));
        if (answers.first() == "save")
            m_area->slotSave();
        // WHEN the user quits through the Quit button or the application menu
        const bool ended = endsTheApplication([&] {
            if (control == "button")
                QTest::mouseClick(
                    m_editor->findChild<QPushButton*>("ImageNoteEditorQuit"), Qt::LeftButton);
            else
                menuAction(m_editor->findChild<QPushButton*>("ImageNoteEditorApp"), "Quit")
                    ->trigger();
        });
        // THEN the question decides, and an application that runs on keeps the drawing
        QCOMPARE(reply.texts.value(0), question);
        QCOMPARE(ended, quits);
        QCOMPARE(QFileInfo::exists(dir.filePath(saveAs)), saved);
        QVERIFY(m_editor->isVisible());
        QCOMPARE(shown(*m_area), drawing);
        QCOMPARE(m_area->isDirty(), !saved);
    }

    void controlsDriveTheWorkArea_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<int>("mode");
        const QList<QPair<const char*, Mode>> buttons
            = {{"Pen", Mode::Pen}, {"Eraser", Mode::Eraser}, {"Highlighter", Mode::Highlighter},
                {"Rectangle", Mode::Rectangle}, {"FilledRectangle", Mode::FilledRectangle},
                {"Oval", Mode::Oval}, {"Blur", Mode::BlurRectangle}, {"Line", Mode::Line},
                {"Arrow", Mode::Arrow}, {"Text", Mode::Text}};
        for (const auto& button : buttons)
            QTest::addRow("%s button", button.first) << button.first << int(button.second);
        QTest::newRow("hidden menu's Filled Oval") << "Filled Oval" << int(Mode::FilledOval);
    }

    // The same drag through the editor's controls as straight on an area.
    void controlsDriveTheWorkArea()
    {
        QFETCH(QString, tool);
        QFETCH(int, mode);
        ImageNoteWorkArea reference(nullptr);
        reference.slotSetPixmap(m_area->pixContent());
        reference.slotSetMode(Mode(mode));
        reference.slotSetThikness(5);
        reference.slotSetDashLine(true);
        reference.slotSetColor(QColor(0, 0, 255));
        reference.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reference));
        // GIVEN the tool, 5 pixels, dashed and blue chosen in the editor
        if (auto* button = m_editor->findChild<QPushButton*>("ImageNoteEditor" + tool))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            menuAction(menuHolder(m_editor.get()), tool)->trigger();
        auto* thickness = m_editor->findChild<QPushButton*>("ImageNoteEditorThikness");
        menuAction(thickness, "5px")->trigger();
        menuAction(thickness, "Dash")->trigger();
        auto* swatch = m_editor->findChild<DORuverud::ColorWidget*>();
        QTest::mouseClick(swatch, Qt::LeftButton);
        auto* popup = swatch->findChild<DORuverud::ColorWidgetPopup*>();
        auto* grid = static_cast<QGridLayout*>(popup->layout());
        QTest::mouseClick(grid->itemAtPosition(2, 6)->widget(), Qt::LeftButton);
        const QImage preview
            = m_editor->findChild<DORuverud::NoteEditDragPreview*>()->grab().toImage();
        // WHEN both are dragged over alike
        for (QWidget* area : {static_cast<QWidget*>(m_area), static_cast<QWidget*>(&reference)})
            MouseDrag::drag(area, QPoint(20, 30), QPoint(150, 120));
        // THEN they show the same, and the editor offers Undo for a drawing (a text box that
        // opens is no step before its text is accepted, nor is an eraser on the empty layer)
        // and shows it in its preview
        QCOMPARE(shown(*m_area), shown(reference));
        QCOMPARE(m_editor->findChild<QPushButton*>("ImageNoteEditorUndo")->isEnabled(),
            mode != Mode::Text && mode != Mode::Eraser);
        QVERIFY(!m_editor->findChild<QPushButton*>("ImageNoteEditorRedo")->isEnabled());
        const QImage drawn
            = m_editor->findChild<DORuverud::NoteEditDragPreview*>()->grab().toImage();
        QCOMPARE(drawn != preview, mode != Mode::Text && mode != Mode::Eraser);
    }

    void appMenuIconsStandOutFromTheMenu_data()
    {
        QTest::addColumn<QString>("styleSheet");
        QTest::addColumn<QString>("entry");
        // A dark menu as the chord pages give theirs.
        const QString dark = "QMenu { color: white; background: qlineargradient(x1:1, y1:1, "
                             "x2:0, y2:0, stop:0 rgb(10,10,10), stop:1 rgb(80,80,80)); }";
        for (const char* entry : {"Share", "Join Us"}) {
            QTest::addRow("%s in the editor's own menu", entry) << QString() << entry;
            QTest::addRow("%s in a dark menu", entry) << dark << entry;
        }
    }

    // The application button's menu entry shows an icon that reads on the
    // menu's ground, light or dark: of the pixels the icon changes, as many
    // as a tenth of its square, the strokes of a small symbol, stand apart
    // from the ground beneath them by 3 to 1, as the parts of a symbol must
    // to be seen.
    void appMenuIconsStandOutFromTheMenu()
    {
        QFETCH(QString, styleSheet);
        QFETCH(QString, entry);
        auto* button = m_editor->findChild<QPushButton*>("ImageNoteEditorApp");
        QMenu* menu = button->menu();
        menu->setStyleSheet(styleSheet);
        menu->adjustSize();
        QAction* action = menuAction(button, entry);
        const QImage with = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QIcon icon = action->icon();
        action->setIcon(QIcon());
        const QImage ground = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
        action->setIcon(icon);
        QCOMPARE(with.size(), ground.size());
        int changed = 0;
        int apart = 0;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                if (with.pixel(x, y) == ground.pixel(x, y))
                    continue;
                ++changed;
                apart += contrast(with.pixelColor(x, y), ground.pixelColor(x, y)) >= 3 ? 1 : 0;
            }
        }
        const int side = qRound(menu->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, menu)
            * with.devicePixelRatio());
        QVERIFY2(apart * 10 >= side * side,
            qPrintable(QString("%1 of %2 pixels apart").arg(apart).arg(changed)));
    }

private:
    std::unique_ptr<ImageNoteEditor> m_editor;
    ImageNoteWorkArea* m_area = nullptr;
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestImageNoteEditor test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ImageNoteEditor.moc"
