#include "AboutDialog.h"
#include "App.h"
#include "DialogTestTools.h"
#include "LicenseDialog.h"
#include "LinkDialog.h"
#include "TitleLabel.h"
#include "TopWidget.h"

#include <QCheckBox>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

using namespace DORuverud;
using namespace DialogTestTools;

namespace {

QWidget* decorationWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowType() == Qt::ToolTip && qobject_cast<QLabel*>(window))
            return window;
    }
    return nullptr;
}

} // namespace

// The frame and the dialogs built on it, in a build with the "independent" marker.
class TestFrameDialogs : public QObject
{
    Q_OBJECT

private slots:
    void titleBarButtonsAtTheRight()
    {
        QVERIFY(!App::isAppStore());
        TopWidget frame;
        frame.resize(400, 200);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(buttonsLeftToRight(&frame, true),
            QStringList({"TopWidgetMinimize", "TopWidgetMaximize", "TopWidgetClose"}));
        QVERIFY(frame.findChild<QPushButton*>("TopWidgetMinimize")->x() > frame.width() / 2);
        frame.hideMaximize();
        frame.hideMinimize();
        QCOMPARE(buttonsLeftToRight(&frame, true), QStringList({"TopWidgetClose"}));
    }

    void execEndsOnEscapeCloseAndAgree()
    {
        // The license's Agree gives 1; Disagree and Escape give 0, each time again.
        LicenseDialog license;
        QCOMPARE(license.windowTitle(), QString("Tessivar License Agreement"));
        for (const QString answer : {"&Agree", "&Disagree", "", "", "&Agree"}) {
            whenModal([answer](QWidget* modal) {
                answer.isEmpty() ? pressEscape(modal) : click(modal, answer);
            });
            QCOMPARE(license.exec(), answer == "&Agree" ? 1 : 0);
            QVERIFY(!license.isVisible());
        }
        QCOMPARE(license.actions().size(), 1);
        // A frame's close button gives 0.
        TopWidget frame;
        whenModal([](QWidget* modal) {
            QTest::mouseClick(modal->findChild<QPushButton*>("TopWidgetClose"), Qt::LeftButton);
        });
        QCOMPARE(frame.exec(), 0);
    }

    void titleDragMovesTheWindow()
    {
        // GIVEN a shown frame with a decoration 10 pixels right of the title's corner
        TopWidget frame;
        frame.resize(300, 150);
        frame.move(100, 100);
        QPixmap picture(16, 16);
        picture.fill(Qt::red);
        frame.setDecoration(picture, QPoint(10, 0));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* title = frame.findChild<TitleLabel*>();
        const QPoint press(40, 10);
        // WHEN the title is pressed and dragged with the button held
        QTest::mousePress(title, Qt::LeftButton, Qt::NoModifier, press);
        const QPoint global(400, 300);
        QMouseEvent move(QEvent::MouseMove, title->mapFromGlobal(global), global, Qt::NoButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(title, &move);
        // THEN the window's corner follows the mouse, keeping the pressed point under it
        QTRY_COMPARE(frame.pos(), global - press);
        QCOMPARE(decorationWindow()->pos(), title->mapToGlobal(QPoint(10, 0)));
    }

    void decorationFollowsAndIsReplaced()
    {
        // GIVEN a frame with a picture decoration, transparent on its right half
        TopWidget frame;
        QPixmap shaped(20, 20);
        shaped.fill(Qt::transparent);
        QPainter(&shaped).fillRect(0, 0, 10, 20, Qt::green);
        frame.setDecoration(shaped, QPoint(50, -10));
        QPointer<QWidget> first = decorationWindow();
        QVERIFY(first);
        QVERIFY(first->mask().contains(QPoint(2, 2)));
        QVERIFY(!first->mask().contains(QPoint(15, 2)));
        // WHEN the frame is shown and hidden, THEN so is the decoration
        QVERIFY(!first->isVisible());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(first->isVisible());
        frame.hide();
        QVERIFY(!first->isVisible());
        // WHEN it is replaced by an animation, THEN the old window is gone
        QMovie movie(":/pix/loading.gif");
        frame.setDecoration(&movie, QPoint(0, 0));
        QVERIFY(first.isNull());
        QCOMPARE(movie.state(), QMovie::Running);
        QCOMPARE(decorationWindow()->size(), movie.currentPixmap().size());
    }

    void sameDecorationTwiceIsKept()
    {
        QPointer<QLabel> decoration = new QLabel("deco");
        {
            TopWidget frame;
            frame.setDecoration(decoration.data(), QPoint(1, 1));
            frame.setDecoration(decoration.data(), QPoint(2, 2));
            QVERIFY(decoration);
            frame.show();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            QTRY_COMPARE(
                decoration->pos(), frame.findChild<TitleLabel*>()->mapToGlobal(QPoint(2, 2)));
        }
        QVERIFY(decoration.isNull());
    }

    void aboutShowsNameDateAndMaker()
    {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QString("Tessivar Info"));
        QString text;
        for (QLabel* label : about.findChildren<QLabel*>())
            text += label->text();
        const QDate built = App::theApp()->buildDate();
        QVERIFY2(
            text.contains("Tessivar Build: " + built.toString("dd.MM.yyyy")), qPrintable(text));
        QVERIFY(text.contains(QString::number(built.year()) + " Quelmar"));
        QVERIFY(text.contains("<A HREF=\"http://quelmar.example\">"));
        QVERIFY(text.contains(":/pix/quelmarlogo.png"));
        QVERIFY(!QImage(":/pix/quelmarlogo.png").isNull());
        QVERIFY(QImage(":/app.png").width() >= 300);

        // The maker's link opens where the hand shows over it.
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QLabel* label = about.findChildren<QLabel*>().last();
        UrlCatcher catcher;
        for (int y = 0; y < label->height() && catcher.urls.isEmpty(); y += 3) {
            for (int x = 0; x < label->width() && catcher.urls.isEmpty(); x += 3) {
                QMouseEvent hover(
                    QEvent::MouseMove, QPoint(x, y), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(label, &hover);
                if (label->cursor().shape() == Qt::PointingHandCursor)
                    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
            }
        }
        QCOMPARE(catcher.urls, QList<QUrl> {QUrl("http://quelmar.example")});
        about.hide();

        whenModal([](QWidget* modal) { click(modal, "&Ok"); });
        QCOMPARE(about.exec(), 0);
        QVERIFY(!about.isVisible());
    }

    void linkRememberSwitchIsStored()
    {
        App* app = App::theApp();
        // GIVEN no stored choice: the switch starts off
        LinkDialog dialog;
        auto* remember = dialog.findChild<QCheckBox*>();
        QVERIFY(!remember->isChecked());
        // WHEN it is ticked, THEN false is written at once; unticked, true
        remember->setChecked(true);
        QCOMPARE(app->settingsValue("ShowTutoralDialog"), QVariant(false));
        remember->setChecked(false);
        QCOMPARE(app->settingsValue("ShowTutoralDialog"), QVariant(true));
        // AND a later dialog starts from the stored choice, which survives a rejection
        remember->setChecked(true);
        UrlCatcher catcher;
        whenModal([](QWidget* modal) { click(modal, "&No"); });
        QCOMPARE(dialog.exec(), 0);
        QVERIFY(catcher.urls.isEmpty());
        LinkDialog again;
        QVERIFY(again.findChild<QCheckBox*>()->isChecked());
        app->setSettingsValue("ShowTutoralDialog", true);
    }

    void linkYesOpensTheTutorialInTheLanguage()
    {
        const QList<QPair<QString, QString>> rows {
            {"en", "http://quelmar.example/tutorial/tutorial.htm"},
            {"ru", "http://quelmar.example/ru/tutorial/tutorial.htm"}};
        for (const auto& row : rows) {
            App::theApp()->setCurrentLanguage(row.first);
            UrlCatcher catcher;
            LinkDialog dialog;
            whenModal([](QWidget* modal) { click(modal, "&Yes"); });
            QCOMPARE(dialog.exec(), 1);
            QCOMPARE(catcher.urls, QList<QUrl> {QUrl(row.second)});
        }
        QCOMPARE(QImage(":/pix/zadu2.jpg").size(), QSize(360, 177));
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestFrameDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_FrameDialogs.moc"
