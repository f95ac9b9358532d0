#include "App.h"
#include "AppStyleSheet.h"

#include <QPushButton>
#include <QtTest>

using VADirur::AppStyleSheet;

class TestAppStyleSheet : public QObject
{
    Q_OBJECT

private slots:
    void sizesForTheScreen_data();
    void sizesForTheScreen();
    void buttonsTakeTheirSizesFromTheSheet();
    void everyNamedPictureIsInTheResourceTree();
};

void TestAppStyleSheet::sizesForTheScreen_data()
{
    QTest::addColumn<bool>("pocket");
    QTest::addColumn<QString>("panelButton");
    QTest::addColumn<QString>("transposerFont");

    QTest::newRow("desktop") << false << "min-width: 32px; min-height: 32px;"
                             << "bold 14px";
    QTest::newRow("pocket device") << true << "min-width: 28px; min-height: 28px;"
                                   << "bold 11px";
}

// Every placeholder is filled; the panel buttons and the transposer's font
// follow the screen.
void TestAppStyleSheet::sizesForTheScreen()
{
    QFETCH(bool, pocket);
    QFETCH(QString, panelButton);
    QFETCH(QString, transposerFont);

    const QString sheet = AppStyleSheet::filled(pocket);
    QVERIFY(!sheet.contains(QStringLiteral("<!")) && !sheet.contains(QStringLiteral("!>")));
    QVERIFY(sheet.contains(panelButton));
    QVERIFY(sheet.contains(
        QStringLiteral("QPushButton#TransposerButton {\n    border: 1px solid gray; font: ")
        + transposerFont));
    // The application uses the sheet of its own screen.
    QCOMPARE(
        AppStyleSheet::text(), AppStyleSheet::filled(DORuverud::App::theApp()->isPocketDevice()));
}

void TestAppStyleSheet::buttonsTakeTheirSizesFromTheSheet()
{
    // GIVEN the finished sheet on the application
    qApp->setStyleSheet(AppStyleSheet::filled(false));

    // WHEN buttons carry the names the sheet addresses
    QPushButton play;
    play.setObjectName(QStringLiteral("PlayButton"));
    QPushButton panel(QStringLiteral("A"));
    panel.setObjectName(QStringLiteral("PanelButton"));
    play.ensurePolished();
    panel.ensurePolished();

    // THEN they take the sheet's sizes
    QCOMPARE(play.maximumSize(), QSize(48, 48));
    QCOMPARE(play.minimumSize(), QSize(48, 48));
    QVERIFY(panel.minimumSizeHint().width() >= 32);
    QVERIFY(panel.minimumSizeHint().height() >= 32);
    qApp->setStyleSheet(QString());
}

void TestAppStyleSheet::everyNamedPictureIsInTheResourceTree()
{
    // The instrument selector's 21 images and the rest.
    const QStringList names = AppStyleSheet::imageNames();
    QCOMPARE(names.filter(QStringLiteral("Item")).size(), 21);
    for (const QString& name : names) {
        const QImage image(QStringLiteral(":/") + name);
        QVERIFY2(!image.isNull(), qPrintable(name));
    }
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAppStyleSheet test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AppStyleSheet.moc"
