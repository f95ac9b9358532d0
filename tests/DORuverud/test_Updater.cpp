#include "../QMRequest/LocalHttpServer.h"
#include "App.h"
#include "Updater.h"
#include "UpdaterDialog.h"
#include "WaitLabel.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

using DORuverud::App;
using DORuverud::Updater;
using DORuverud::UpdaterDialog;

namespace {
const QString latest = QStringLiteral("You are using the latest version available.");
const QString newer = QStringLiteral("The newer version of Tessivar is available.");
const QString offline = QStringLiteral("No internet connection is available.");
const QString switchCaption = QStringLiteral("Check for updates on start");

QPushButton* button(QWidget* dialog, const QString& text)
{
    for (QPushButton* candidate : dialog->findChildren<QPushButton*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

bool waitLabelVisible()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<DORuverud::WaitLabel*>(widget) && widget->isVisible())
            return true;
    return false;
}
} // namespace

// Serves the update page from 127.0.0.1 and answers every dialog with "No",
// noting its message.
class TestUpdater : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url)
    {
        m_openedUrls += url;
    }

private slots:
    void initTestCase()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
        m_answerer.setInterval(10);
        connect(&m_answerer, &QTimer::timeout, this, &TestUpdater::answerDialog);
        m_answerer.start();
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    }

    void init()
    {
        m_messages.clear();
        m_pictures.clear();
        m_waitLabelSeenWithDialog = false;
    }

    void dialogHoldsTheStartSwitch_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("checked");
        QTest::newRow("fresh account") << QVariant() << true;
        QTest::newRow("switched off") << QVariant(false) << false;
        QTest::newRow("switched on") << QVariant(true) << true;
    }

    void dialogHoldsTheStartSwitch()
    {
        // GIVEN the stored switch
        QFETCH(QVariant, stored);
        QFETCH(bool, checked);
        App* app = App::theApp();
        if (stored.isValid())
            app->setSettingsValue(QStringLiteral("checkupdates"), stored);
        else
            app->settings()->remove(QStringLiteral("Tessivar/checkupdates"));

        // WHEN the dialog opens THEN the box shows it and a true value is stored
        UpdaterDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Tessivar Updates Notification"));
        auto* box = dialog.findChild<QCheckBox*>();
        QCOMPARE(box->isChecked(), checked);
        QCOMPARE(app->settingsValue(QStringLiteral("checkupdates")),
            stored.isValid() ? stored : QVariant(true));

        // WHEN the user flips it THEN it is stored at once
        box->click();
        QCOMPARE(app->settingsValue(QStringLiteral("checkupdates")).toBool(), !checked);
        box->click();
        QCOMPARE(app->settingsValue(QStringLiteral("checkupdates")).toBool(), checked);
    }

    void yesOpensTheUpdatesPage_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QList<QUrl>>("opened");
        QTest::newRow("yes") << "Yes"
                             << QList<QUrl> {
                                    QUrl(QStringLiteral("http://quelmar.example/updates/"))};
        QTest::newRow("no") << "No" << QList<QUrl>();
    }

    void yesOpensTheUpdatesPage()
    {
        QFETCH(QString, answer);
        QFETCH(QList<QUrl>, opened);
        m_openedUrls.clear();
        UpdaterDialog dialog;
        dialog.setMessage(newer);
        dialog.show();
        button(&dialog, answer)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(m_openedUrls, opened);
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
            return "TQ:1.1." + date.toString(QStringLiteral("dd.MM.yyyy")).toLatin1() + '\n';
        };
        const struct
        {
            const char* name;
            QString magic;
            QByteArray page;
            bool served;
            QString loud;
            QString quiet;
            bool result;
        } rows[] = {
            {"not served", {}, "TQ:1.1.01.01.2099\n", false, offline, {}, false},
            {"empty page", {}, "", true, offline, {}, false},
            {"zero byte first", {}, QByteArray("\0TQ:1.1.01.01.2099\n", 19), true, offline, {},
                false},
            {"no marker", {}, "Tessivar\n", true, latest, {}, true},
            {"lower-case marker", {}, "tq:1.1.01.01.2099\n", true, latest, {}, true},
            {"marker without line feed", {}, "TQ:1.1.01.01.2099", true, {}, {}, true},
            {"newer date", {}, "Tessivar\nTQ:1.1.01.01.2099\n", true, newer, newer, true},
            {"day after the build", {}, line(build.addDays(1)), true, newer, newer, true},
            {"same day as the build", {}, line(build), true, latest, {}, true},
            {"day before the build", {}, line(build.addDays(-1)), true, latest, {}, true},
            {"CR LF lines", {}, "TQ:1.1.01.01.2099\r\nend\r\n", true, latest, {}, true},
            {"impossible date", {}, "TQ:1.1.31.02.2099\n", true, latest, {}, true},
            {"signed day", {}, "TQ:1.1.+1.01.2099\n", true, latest, {}, true},
            {"spaced day", {}, "TQ:1.1. 1.01.2099\n", true, latest, {}, true},
            {"only the first marker counts", {}, "TQ:1.1.01.01.2000\nTQ:1.1.01.01.2099\n", true,
                latest, {}, true},
            {"zero byte after the date", {}, QByteArray("TQ:1.1.01.01.2099\n\0x", 20), true, newer,
                newer, true},
            {"magic AB ignores TQ", "AB", "TQ:1.1.01.01.2099\n", true, latest, {}, true},
            {"magic AB", "AB", "TQ:1.1.01.01.2000\nAB:1.1.01.01.2099\n", true, newer, newer, true},
        };
        for (const auto& row : rows) {
            for (const bool quiet : {false, true}) {
                const QByteArray name = QByteArray(row.name) + (quiet ? ", quiet" : "");
                QTest::newRow(name) << row.magic << row.page << row.served << quiet
                                    << (quiet ? row.quiet : row.loud) << row.result;
            }
        }
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
        server.pages.insert(QStringLiteral("/updates.htm"), page);
        Updater updater(quiet);
        updater.setUpdatesCheckLink(
            server.address(served ? QStringLiteral("/updates.htm") : QStringLiteral("/gone")));
        if (!magic.isEmpty())
            updater.setMagicString(magic);
        QLabel busy;
        busy.show();

        QCOMPARE(updater.doUpdate(&busy), result);

        QCOMPARE(server.requests.size(), 1);
        QCOMPARE(m_messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(m_messages.first().contains(message), qPrintable(m_messages.first()));
            const QString picture = message == newer ? UpdaterDialog::updateAvailablePicture()
                                                     : UpdaterDialog::updateNotAvailablePicture();
            const QImage expected(QStringLiteral(":/") + picture);
            QVERIFY(!expected.isNull());
            QCOMPARE(m_pictures.first(), expected.convertToFormat(m_pictures.first().format()));
            QVERIFY(!busy.isVisible());
        }
    }

    void checkShowsThePleaseWaitWindowWhileFetching()
    {
        // GIVEN a page that announces an update
        LocalHttpServer server;
        server.pages.insert(QStringLiteral("/updates.htm"), "TQ:1.1.01.01.2099\n");
        bool waitingWhileFetching = false;
        connect(&server, &LocalHttpServer::requested, this,
            [&] { waitingWhileFetching = waitLabelVisible(); });
        Updater updater(true);
        updater.setUpdatesCheckLink(server.address(QStringLiteral("/updates.htm")));

        // WHEN the check runs
        updater.slotUpdate();

        // THEN the window showed during the fetch, hid for the dialog and is gone
        QVERIFY(waitingWhileFetching);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().contains(newer));
        QVERIFY(!m_waitLabelSeenWithDialog);
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<DORuverud::WaitLabel*>(widget));
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
            if (!label->text().isEmpty() && label->text() != switchCaption)
                message = label->text();
            if (!label->pixmap(Qt::ReturnByValue).isNull())
                picture = label->pixmap(Qt::ReturnByValue).toImage();
        }
        m_messages += message;
        m_pictures += picture;
        m_waitLabelSeenWithDialog = m_waitLabelSeenWithDialog || waitLabelVisible();
        button(dialog, QStringLiteral("No"))->click();
    }

    QTimer m_answerer;
    QStringList m_messages;
    QList<QImage> m_pictures;
    bool m_waitLabelSeenWithDialog = false;
    QList<QUrl> m_openedUrls;
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestUpdater test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Updater.moc"
