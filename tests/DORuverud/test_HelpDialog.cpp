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

QStringList writeSlides(const QTemporaryDir& dir, int count)
{
    QStringList paths;
    for (int n = 0; n < count; ++n) {
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(slideColour(n));
        paths << dir.filePath(QString("slide%1.png").arg(n));
        image.save(paths.last());
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

} // namespace

class TestHelpDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        App::theApp()->setSettingsValue("NeverShowItAgain", false);
    }

    void slidesAdvanceAndWrap()
    {
        // GIVEN a dialog with nine slides, shown
        QTemporaryDir dir;
        HelpDialog dialog;
        for (const QString& path : writeSlides(dir, 9))
            dialog.addSlide(path);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Tessivar Introduction"));
        auto* display = dialog.findChild<HelpDisplay*>();
        auto* timer = dialog.findChild<HelpViewArea*>()->findChild<QTimer*>();
        // THEN nine buttons are numbered 1 to 9, and the show starts on the first slide
        QStringList numbers;
        for (QPushButton* button : slideButtons(&dialog))
            numbers << button->text();
        QCOMPARE(numbers, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        QCOMPARE(timer->interval(), 4000);
        QCOMPARE(centreColour(display), slideColour(0));
        // WHEN the timer ticks, THEN the next slide shows, and after the ninth the first
        for (int n = 1; n <= 10; ++n) {
            QMetaObject::invokeMethod(timer, "timeout");
            QCOMPARE(centreColour(display), slideColour(n % 9));
            QVERIFY(slideButtons(&dialog).at(n % 9)->isChecked());
        }
        // AND hiding stops the show; showing again resumes where it stood
        dialog.hide();
        QVERIFY(!timer->isActive());
        dialog.show();
        QVERIFY(timer->isActive());
        QCOMPARE(centreColour(display), slideColour(1));
        // AND clicking a slide's button shows it and stops the show
        QTest::mouseClick(slideButtons(&dialog).at(4), Qt::LeftButton);
        QCOMPARE(centreColour(display), slideColour(4));
        QVERIFY(!timer->isActive());
    }

    void missingSlidesShowBlack()
    {
        HelpDisplay display;
        display.resize(400, 300);
        display.setSlide("/nonexistent/TQSlide0_xx.jpg");
        QCOMPARE(centreColour(&display), QColor(Qt::black));
        // A show without slides ticks harmlessly.
        HelpDialog dialog;
        dialog.show();
        QMetaObject::invokeMethod(
            dialog.findChild<HelpViewArea*>()->findChild<QTimer*>(), "timeout");
        QVERIFY(dialog.isVisible());
    }

    void neverShowIsStored()
    {
        // GIVEN no choice yet: closing keeps the introduction at start
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
        QVERIFY(!buttonCaptioned(&dialog, "&Never show on start"));
    }

    void applicationRebuildsTheDialogWhenItsWindowGoes()
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
        const auto closeIt = [&shown](QWidget* modal) {
            shown << modal;
            click(modal, "&Close");
        };
        whenModal(closeIt);
        app->slotHelp();
        whenModal(closeIt);
        app->slotHelp();
        QVERIFY(shown[0] && shown[0] == shown[1]);
        QCOMPARE(shown[0]->parentWidget(), window);
        QCOMPARE(slideButtons(shown[0]).size(), 3);
        // WHEN its parent window is gone, THEN a new dialog is made, not the dead one used,
        // owned by the main window when no window is active
        delete window;
        QVERIFY(shown[0].isNull());
        QWidget mainWindow;
        app->setMainWidget(&mainWindow);
        whenModal(closeIt);
        app->slotHelp();
        app->setMainWidget(nullptr);
        QCOMPARE(shown.size(), 3);
        QVERIFY(shown[2]);
        QCOMPARE(shown[2]->parentWidget(), &mainWindow);
    }

    void nothingOpensAtStartOnceRefused()
    {
        App::theApp()->setSettingsValue("NeverShowItAgain", true);
        ModalAnswer refused([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
        App::theApp()->showHelpOnStart();
        QTest::qWait(1000);
        QCOMPARE(refused.shown, QString());
    }

    void everySlideIsPainted()
    {
        using namespace DialogPictures;
        const QString folder = App::theApp()->bundleResourcePath();
        for (const QString& language : introductionSlideLanguages()) {
            for (int n = 0; n < introductionSlideCount(); ++n)
                QCOMPARE(QImage(folder + introductionSlide(n, language)).size(), QSize(800, 600));
        }
        QCOMPARE(introductionSlide(8, "de"), QString("TQSlide8_de.jpg"));
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestHelpDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_HelpDialog.moc"
