#include "App.h"
#include "DialogPictures.h"
#include "DialogTestTools.h"
#include "HelpDialog.h"
#include "HelpDisplay.h"
#include "HelpViewArea.h"

#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

using namespace DORuverud;
using namespace DialogTestTools;

namespace {

// Slide n is a solid colour: red rises with n.
QColor slideColour(int n)
{
    return QColor(20 + n * 25, 90, 160);
}

QStringList writeSlides(const QTemporaryDir& dir, int count, QSize size = QSize(800, 600))
{
    QStringList paths;
    for (int n = 0; n < count; ++n) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(slideColour(n));
        const QString path = dir.filePath(QString("slide%1.png").arg(n));
        image.save(path);
        paths << path;
    }
    return paths;
}

QColor centreColour(QWidget* display)
{
    const QImage image = display->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

QList<QPushButton*> slideButtons(QWidget* dialog)
{
    QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>("HelpSlideButton");
    std::sort(buttons.begin(), buttons.end(),
        [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    return buttons;
}

void nextTick(QWidget* dialog)
{
    auto* timer = dialog->findChild<HelpViewArea*>()->findChild<QTimer*>();
    QMetaObject::invokeMethod(timer, "timeout");
}

} // namespace

class TestHelpDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void nineNumberedButtons();
    void slidesAdvanceAndWrap();
    void clickingASlideStopsTheShow();
    void missingSlideShowsBlack();
    void pictureIsLetterboxed_data();
    void pictureIsLetterboxed();
    void emptyShowTicksHarmlessly();
    void neverShowIsStored();
    void applicationRunsOneDialog();
    void startOpensUnlessRefused();
    void everySlideIsPainted();
};

void TestHelpDialog::cleanup()
{
    App::theApp()->setSettingsValue("NeverShowItAgain", false);
}

// Runs first: the slide buttons are numbered across the process.
void TestHelpDialog::nineNumberedButtons()
{
    QTemporaryDir dir;
    HelpDialog dialog;
    for (const QString& path : writeSlides(dir, 9))
        dialog.addSlide(path);
    dialog.show();
    QCOMPARE(dialog.objectName(), QString("Dialog"));
    QCOMPARE(dialog.windowTitle(), QString("Tessivar Introduction"));
    QStringList numbers;
    for (QPushButton* button : slideButtons(&dialog)) {
        numbers << button->text();
        QCOMPARE(button->size(), QSize(18, 18));
    }
    QCOMPARE(numbers, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

void TestHelpDialog::slidesAdvanceAndWrap()
{
    // GIVEN a dialog with nine slides, shown
    QTemporaryDir dir;
    HelpDialog dialog;
    for (const QString& path : writeSlides(dir, 9))
        dialog.addSlide(path);
    dialog.show();
    auto* display = dialog.findChild<HelpDisplay*>();
    auto* timer = dialog.findChild<HelpViewArea*>()->findChild<QTimer*>();
    // THEN the show starts on the first slide with a four-second timer
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 4000);
    QVERIFY(slideButtons(&dialog).first()->isChecked());
    QCOMPARE(centreColour(display), slideColour(0));
    // WHEN the timer ticks, THEN the next slide shows, and after the ninth the first
    for (int n = 1; n <= 9; ++n) {
        nextTick(&dialog);
        QCOMPARE(centreColour(display), slideColour(n % 9));
        QVERIFY(slideButtons(&dialog).at(n % 9)->isChecked());
    }
    // AND hiding stops the show; showing again resumes where it stood
    nextTick(&dialog);
    dialog.hide();
    QVERIFY(!timer->isActive());
    dialog.show();
    QVERIFY(timer->isActive());
    QCOMPARE(centreColour(display), slideColour(1));
}

void TestHelpDialog::clickingASlideStopsTheShow()
{
    QTemporaryDir dir;
    HelpDialog dialog;
    for (const QString& path : writeSlides(dir, 5))
        dialog.addSlide(path);
    dialog.show();
    auto* timer = dialog.findChild<HelpViewArea*>()->findChild<QTimer*>();
    QTest::mouseClick(slideButtons(&dialog).at(2), Qt::LeftButton);
    QCOMPARE(centreColour(dialog.findChild<HelpDisplay*>()), slideColour(2));
    QVERIFY(!timer->isActive());
}

void TestHelpDialog::missingSlideShowsBlack()
{
    HelpDisplay display;
    display.resize(400, 300);
    display.setSlide("/nonexistent/TQSlide0_xx.jpg");
    QCOMPARE(centreColour(&display), QColor(Qt::black));
}

void TestHelpDialog::pictureIsLetterboxed_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QPoint>("band");
    QTest::newRow("wide: bands above and below") << QSize(800, 200) << QPoint(200, 10);
    QTest::newRow("tall: bands left and right") << QSize(200, 800) << QPoint(10, 150);
}

void TestHelpDialog::pictureIsLetterboxed()
{
    QFETCH(QSize, picture);
    QFETCH(QPoint, band);
    QTemporaryDir dir;
    HelpDisplay display;
    display.resize(400, 300);
    display.setSlide(writeSlides(dir, 1, picture).first());
    const QImage image = display.grab().toImage();
    QCOMPARE(image.pixelColor(200, 150), slideColour(0));
    QCOMPARE(image.pixelColor(band), QColor(Qt::black));
}

void TestHelpDialog::emptyShowTicksHarmlessly()
{
    HelpDialog dialog;
    dialog.show();
    QVERIFY(slideButtons(&dialog).isEmpty());
    nextTick(&dialog);
    QVERIFY(dialog.isVisible());
}

void TestHelpDialog::neverShowIsStored()
{
    // GIVEN no choice yet: the dialog would open at start, with the button
    QVERIFY(HelpDialog::isShowOnStartAvailable());
    HelpDialog dialog;
    whenModal([](QWidget* modal) { pressEscape(modal); });
    QCOMPARE(dialog.exec(), 0);
    whenModal([](QWidget* modal) { click(modal, "&Close"); });
    QCOMPARE(dialog.exec(), 0);
    QCOMPARE(App::theApp()->settingsValue("NeverShowItAgain", false), QVariant(false));
    // WHEN "&Never show on start" is pressed
    whenModal([](QWidget* modal) { click(modal, "&Never show on start"); });
    QCOMPARE(dialog.exec(), 1);
    // THEN the choice is stored and the button is hidden from then on
    QCOMPARE(App::theApp()->settingsValue("NeverShowItAgain", false), QVariant(true));
    QVERIFY(!HelpDialog::isShowOnStartAvailable());
    dialog.show();
    QVERIFY(!buttonCaptioned(&dialog, "&Never show on start")->isVisible());
}

void TestHelpDialog::applicationRunsOneDialog()
{
    App* app = App::theApp();
    QTemporaryDir dir;
    app->setIntroductionSlides(writeSlides(dir, 3));
    // GIVEN an active window that becomes the dialog's parent
    auto* window = new QWidget;
    window->show();
    QApplication::setActiveWindow(window);
    QTRY_COMPARE(QApplication::activeWindow(), window);
    // WHEN the introduction is asked for twice, THEN the same dialog shows both times
    QList<QPointer<QWidget>> shown;
    auto closeIt = [&shown](QWidget* modal) {
        shown << modal;
        click(modal, "&Close");
    };
    whenModal(closeIt);
    app->slotHelp();
    whenModal(closeIt);
    app->slotHelp();
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown[0] && shown[0] == shown[1]);
    QCOMPARE(shown[0]->parentWidget(), window);
    QCOMPARE(slideButtons(shown[0]).size(), 3);
    // WHEN its parent window is gone, THEN a new dialog is made, not the dead one used
    delete window;
    QVERIFY(shown[0].isNull());
    whenModal(closeIt);
    app->slotHelp();
    QCOMPARE(shown.size(), 3);
    QVERIFY(shown[2]);
    delete shown[2];
}

void TestHelpDialog::startOpensUnlessRefused()
{
    App* app = App::theApp();
    // GIVEN the user refused: nothing opens at start
    app->setSettingsValue("NeverShowItAgain", true);
    app->showHelpOnStart();
    QTest::qWait(1000);
    QVERIFY(!QApplication::activeModalWidget());
    // GIVEN no refusal: the introduction opens by itself
    app->setSettingsValue("NeverShowItAgain", false);
    QPointer<QWidget> opened;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&opened]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal;
            qobject_cast<QDialog*>(modal)->reject();
        }
    });
    poll.start(20);
    app->showHelpOnStart();
    QTRY_VERIFY_WITH_TIMEOUT(opened, 10000);
    QVERIFY(qobject_cast<HelpDialog*>(opened));
    delete opened;
}

void TestHelpDialog::everySlideIsPainted()
{
    using namespace DORuverud::DialogPictures;
    const QString folder = App::theApp()->bundleResourcePath();
    for (const QString& language : introductionSlideLanguages()) {
        for (int n = 0; n < introductionSlideCount(); ++n) {
            const QString path = folder + introductionSlide(n, language);
            QCOMPARE(QImage(path).size(), QSize(800, 600));
        }
    }
    QCOMPARE(introductionSlide(8, "de"), QString("TQSlide8_de.jpg"));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestHelpDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_HelpDialog.moc"
