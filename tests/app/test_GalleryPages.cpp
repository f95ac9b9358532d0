#include "../common/WholeControls.h"
#include "App.h"
#include "GalleryPages.h"
#include "SettingsWidget.h"

#include <QtTest>

#include <memory>

// The pages the gallery opens, built as the gallery builds them, show each of
// their controls whole at their minimum size and a little above.
class TestGalleryPages : public QObject
{
    Q_OBJECT

private slots:
    void controlsShowWhole_data();
    void controlsShowWhole();
};

void TestGalleryPages::controlsShowWhole_data()
{
    QTest::addColumn<QString>("page");
    for (const QString& page : GalleryPages::names())
        QTest::newRow(qPrintable(page)) << page;
}

// Each page is built once, as the gallery does: the settings page registers
// its tabs with the dialog, which leaves them to the one who made them.
void TestGalleryPages::controlsShowWhole()
{
    QFETCH(QString, page);
    qApp->setStyleSheet(QString());
    std::unique_ptr<QWidget> window(GalleryPages::create(page));
    QVERIFY(window);
    const auto deleteRegisteredTabs = qScopeGuard(
        [&window] { qDeleteAll(window->findChildren<DORuverud::SettingsWidget*>()); });

    for (const QSize& extra : {QSize(0, 0), QSize(17, 23)}) {
        const QString name
            = QStringLiteral("%1-%2x%3").arg(page).arg(extra.width()).arg(extra.height());
        const QStringList faults = WholeControls::faultsAtMinimumSize(window.get(), extra, name);
        QVERIFY2(faults.isEmpty(), qPrintable(name + ": " + faults.join('\n')));
    }
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "TessivarGallery");
    app.setResourceOffset(QStringLiteral("libs/cpp/VADirur/"));
    TestGalleryPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_GalleryPages.moc"
