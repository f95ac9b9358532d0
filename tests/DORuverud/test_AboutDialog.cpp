#include "AboutDialog.h"
#include "App.h"
#include "DialogTestTools.h"
#include "LinkDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QSettings>

using namespace DORuverud;
using namespace DialogTestTools;

namespace {

QString aboutText(QWidget* about)
{
    for (QLabel* label : about->findChildren<QLabel*>()) {
        if (label->text().contains("Build:"))
            return label->text();
    }
    return QString();
}

} // namespace

class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void aboutShowsNameDateAndMaker();
    void aboutClosesOnOk();
    void linkRememberSwitchIsStored();
    void linkYesOpensTutorial_data();
    void linkYesOpensTutorial();
    void linkNoRejects();
    void linkPictureIsPainted();
};

void TestAboutDialog::aboutShowsNameDateAndMaker()
{
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QString("Tessivar Info"));
    QCOMPARE(about.objectName(), QString("AboutDialog"));
    QVERIFY(!(about.windowFlags() & Qt::WindowCloseButtonHint));
    auto* logo = about.findChild<QLabel*>("LogoLabel");
    QVERIFY(logo);
    QCOMPARE(logo->size(), QSize(300, 300));

    const QDate built = App::theApp()->buildDate();
    QVERIFY(built.isValid());
    const QString text = aboutText(&about);
    QVERIFY2(text.contains("Tessivar Build: " + built.toString("dd.MM.yyyy")), qPrintable(text));
    QVERIFY(text.contains(QString::number(built.year()) + " Quelmar"));
    QVERIFY(text.contains("<A HREF=\"http://quelmar.example\">"));
    QVERIFY(text.contains(":/pix/quelmarlogo.png"));
    QVERIFY(!QImage(":/pix/quelmarlogo.png").isNull());
    QVERIFY(QImage(":/app.png").width() >= 300);
}

void TestAboutDialog::aboutClosesOnOk()
{
    AboutDialog about;
    whenModal([](QWidget* modal) { click(modal, "&Ok"); });
    QCOMPARE(about.exec(), 0);
    QVERIFY(!about.isVisible());
}

void TestAboutDialog::linkRememberSwitchIsStored()
{
    App* app = App::theApp();
    // GIVEN no stored choice: the switch starts off
    LinkDialog dialog;
    auto* remember = dialog.findChild<QCheckBox*>();
    QVERIFY(remember);
    QVERIFY(!remember->isChecked());
    QCOMPARE(dialog.windowTitle(), QString("Tessivar Information"));
    // WHEN it is ticked, THEN false is written at once; unticked, true
    remember->setChecked(true);
    QCOMPARE(app->settingsValue("ShowTutoralDialog"), QVariant(false));
    remember->setChecked(false);
    QCOMPARE(app->settingsValue("ShowTutoralDialog"), QVariant(true));
    // AND a later dialog starts from the stored choice, which survives a rejection
    remember->setChecked(true);
    dialog.reject();
    LinkDialog again;
    QVERIFY(again.findChild<QCheckBox*>()->isChecked());
    app->setSettingsValue("ShowTutoralDialog", true);
}

void TestAboutDialog::linkYesOpensTutorial_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("url");
    QTest::newRow("english at the root") << "en"
                                         << "http://quelmar.example/tutorial/tutorial.htm";
    QTest::newRow("russian in its folder") << "ru"
                                           << "http://quelmar.example/ru/tutorial/tutorial.htm";
    QTest::newRow("chinese in its folder") << "zh_CN"
                                           << "http://quelmar.example/zh_CN/tutorial/tutorial.htm";
}

void TestAboutDialog::linkYesOpensTutorial()
{
    QFETCH(QString, language);
    QFETCH(QString, url);
    App::theApp()->setCurrentLanguage(language);
    UrlCatcher catcher({"http"});
    LinkDialog dialog;
    whenModal([](QWidget* modal) { click(modal, "&Yes"); });
    QCOMPARE(dialog.exec(), 1);
    QCOMPARE(catcher.urls, QList<QUrl> {QUrl(url)});
}

void TestAboutDialog::linkPictureIsPainted()
{
    QCOMPARE(QImage(":/pix/zadu2.jpg").size(), QSize(360, 177));
}

void TestAboutDialog::linkNoRejects()
{
    UrlCatcher catcher({"http"});
    LinkDialog dialog;
    whenModal([](QWidget* modal) { click(modal, "&No"); });
    QCOMPARE(dialog.exec(), 0);
    whenModal([](QWidget* modal) { pressEscape(modal); });
    QCOMPARE(dialog.exec(), 0);
    QVERIFY(catcher.urls.isEmpty());
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAboutDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AboutDialog.moc"
