#include "../QMRequest/LocalHttpServer.h"
#include "App.h"
#include "DialogTestTools.h"
#include "Updater.h"
#include "UpdaterDialog.h"

#include <QCheckBox>
#include <QLabel>

using namespace DialogTestTools;
using DORuverud::App;
using DORuverud::Updater;
using DORuverud::UpdaterDialog;

namespace {
const QString latest = "You are using the latest version available.";
const QString newer = "The newer version of Tessivar is available.";
const QString offline = "No internet connection is available.";
} // namespace

// Serves the update page from 127.0.0.1 and answers every dialog with "No",
// noting its message and picture.
class TestUpdater : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_answerer.setInterval(10);
        connect(&m_answerer, &QTimer::timeout, this, &TestUpdater::answerDialog);
        m_answerer.start();
    }

    void init()
    {
        m_messages.clear();
        m_pictures.clear();
    }

    void dialogSwitchIsStored()
    {
        // GIVEN a fresh account: the switch is on
        App* app = App::theApp();
        UpdaterDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("Tessivar Updates Notification"));
        auto* box = dialog.findChild<QCheckBox*>();
        QVERIFY(box->isChecked());
        // WHEN the user flips it THEN it is stored at once, and the next dialog shows it
        box->click();
        QCOMPARE(app->settingsValue("checkupdates").toBool(), false);
        UpdaterDialog again;
        QVERIFY(!again.findChild<QCheckBox*>()->isChecked());
        again.findChild<QCheckBox*>()->click();
        QCOMPARE(app->settingsValue("checkupdates").toBool(), true);
    }

    void yesOpensTheUpdatesPage()
    {
        UrlCatcher catcher;
        UpdaterDialog dialog;
        dialog.setMessage(newer);
        dialog.show();
        click(&dialog, "Yes");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(catcher.urls, QList<QUrl> {QUrl("http://quelmar.example/updates/")});
    }

    void outcome_data()
    {
        QTest::addColumn<QString>("magic");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("served");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("result");
        const QDate build = App::theApp()->buildDate();
        const auto line = [](const QDate& date) {
            return "TQ:1.1." + date.toString("dd.MM.yyyy").toLatin1() + '\n';
        };
        // Each row once loud and once quiet; a quiet check shows only a newer version.
        const auto row = [](const char* name, const QString& magic, const QByteArray& page,
                             bool served, const QString& message, bool result) {
            QTest::newRow(name) << magic << page << served << false << message << result;
            QTest::newRow(QByteArray(name) + ", quiet")
                << magic << page << served << true << (message == newer ? newer : QString())
                << result;
        };
        row("not served", {}, "TQ:1.1.01.01.2099\n", false, offline, false);
        row("empty page", {}, "", true, offline, false);
        row("zero byte first", {}, QByteArray("\0TQ:1.1.01.01.2099\n", 19), true, offline, false);
        // A page without the marker learnt nothing: as if not served.
        row("no marker", {}, "Tessivar\n", true, offline, false);
        row("sign-in page", {}, "<html><body>Sign in to the network</body></html>\n", true, offline,
            false);
        // A page that names no date is a failed check too.
        row("marker without line end", {}, "TQ:1.1.01.01.2099", true, offline, false);
        row("date cut short", {}, "TQ:1.1.01.01.20\n", true, offline, false);
        row("blank before the line end", {}, "TQ:1.1.01.01.2099 \r\n", true, offline, false);
        row("signed day", {}, "TQ:1.1.+1.01.2099\n", true, offline, false);
        row("no such day", {}, "TQ:1.1.31.02.2099\n", true, offline, false);
        row("newer date", {}, "Tessivar\nTQ:1.1.01.01.2099\n", true, newer, true);
        row("day after the build", {}, line(build.addDays(1)), true, newer, true);
        row("same day as the build", {}, line(build), true, latest, true);
        row("older date", {}, line(build.addDays(-1)), true, latest, true);
        // Line ends as servers write them.
        row("CR LF lines", {}, "Tessivar\r\nTQ:1.1.01.01.2099\r\nend\r\n", true, newer, true);
        row("CR LF at the page's end", {}, "TQ:1.1.01.01.2099\r\n", true, newer, true);
        row("CR LF, older date", {}, "TQ:1.1.01.01.2000\r\n", true, latest, true);
        row("lone CR lines", {}, "Tessivar\rTQ:1.1.01.01.2099\rend", true, newer, true);
        row("CR at the page's end", {}, "TQ:1.1.01.01.2099\r", true, newer, true);
        row("magic AB ignores TQ", "AB", "TQ:1.1.01.01.2099\n", true, offline, false);
        row("magic AB", "AB", "TQ:1.1.01.01.2000\nAB:1.1.01.01.2099\n", true, newer, true);
    }

    void outcome()
    {
        QFETCH(QString, magic);
        QFETCH(QByteArray, page);
        QFETCH(bool, served);
        QFETCH(bool, quiet);
        QFETCH(QString, message);
        QFETCH(bool, result);
        LocalHttpServer server;
        server.pages.insert("/updates.htm", page);
        Updater updater(quiet);
        updater.setUpdatesCheckLink(server.address(served ? "/updates.htm" : "/gone"));
        if (!magic.isEmpty())
            updater.setMagicString(magic);
        QLabel busy;
        busy.show();

        QCOMPARE(updater.doUpdate(&busy), result);

        QCOMPARE(server.requests.size(), 1);
        QCOMPARE(m_messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(m_messages.first().contains(message), qPrintable(m_messages.first()));
            const QImage expected(":/"
                + (message == newer ? UpdaterDialog::updateAvailablePicture()
                                    : UpdaterDialog::updateNotAvailablePicture()));
            QVERIFY(!expected.isNull());
            QCOMPARE(m_pictures.first(), expected.convertToFormat(m_pictures.first().format()));
            QVERIFY(!busy.isVisible());
        }
    }

private:
    void answerDialog()
    {
        auto* dialog = qobject_cast<UpdaterDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        QString message;
        QImage picture;
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->text().contains("version") || label->text().contains("internet"))
                message = label->text();
            if (!label->pixmap(Qt::ReturnByValue).isNull())
                picture = label->pixmap(Qt::ReturnByValue).toImage();
        }
        m_messages += message;
        m_pictures += picture;
        click(dialog, "No");
    }

    QTimer m_answerer;
    QStringList m_messages;
    QList<QImage> m_pictures;
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestUpdater test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Updater.moc"
