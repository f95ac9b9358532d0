#include "App.h"
#include "Common.h"

#include <QMenu>
#include <QPushButton>
#include <QtTest>

using DORuverud::App;
using DORuverud::Common;

class TestCommon : public QObject
{
    Q_OBJECT

private slots:
    void extendKeepsAnExistingToolTip();
    void buttonDetails();
    void opacityFollowsTheSettings_data();
    void opacityFollowsTheSettings();
};

void TestCommon::extendKeepsAnExistingToolTip()
{
    QWidget widget;
    widget.setToolTip(QStringLiteral("old tip"));
    Common::extend(&widget, QStringLiteral("PlayButton"), QString());
    QCOMPARE(widget.objectName(), QStringLiteral("PlayButton"));
    QCOMPARE(widget.toolTip(), QStringLiteral("old tip"));
    Common::extend(&widget, QStringLiteral("PlayButton"), QStringLiteral("Play"));
    QCOMPARE(widget.toolTip(), QStringLiteral("Play"));
}

void TestCommon::buttonDetails()
{
    QPushButton push;
    Common::applyPushButtonDetails(&push);
    QCOMPARE(push.objectName(), QStringLiteral("PushButton"));
    QVERIFY(push.isFlat());
    QCOMPARE(push.minimumHeight(), 32);

    QPushButton tool;
    tool.setObjectName(QStringLiteral("ToolButton"));
    Common::applyToolButtonDetails(&tool);
    QCOMPARE(tool.objectName(), QStringLiteral("ToolButton"));
    QVERIFY(tool.isFlat());
    QCOMPARE(tool.minimumSize(), QSize(32, 32));
    QCOMPARE(tool.maximumSize(), QSize(32, 32));
}

void TestCommon::opacityFollowsTheSettings_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<qreal>("opacity");
    QTest::newRow("default 35") << QVariant() << 0.95;
    QTest::newRow("30 is opaque") << QVariant(30) << 1.0;
    QTest::newRow("50") << QVariant(50) << 0.8;
    QTest::newRow("130 is invisible") << QVariant(130) << 0.0;
    QTest::newRow("below 30 is limited") << QVariant(0) << 1.0;
}

void TestCommon::opacityFollowsTheSettings()
{
    QFETCH(QVariant, stored);
    QFETCH(qreal, opacity);
    App* app = App::theApp();
    app->settings()->remove(QString());
    if (stored.isValid()) {
        app->setSettingsValue(QStringLiteral("TransparencyParameters/ContextMenus"), stored);
        app->setSettingsValue(QStringLiteral("TransparencyParameters/ChartDialogs"), stored);
    }

    // A menu with two nested submenus gets the same opacity at every level.
    QMenu menu;
    QMenu* sub = menu.addMenu(QStringLiteral("sub"));
    QMenu* subsub = sub->addMenu(QStringLiteral("subsub"));
    Common::setMenuOpacity(&menu);
    // Qt keeps a window's opacity in 1/255 steps, truncated.
    const qreal step = 1.5 / 255;
    QVERIFY(qAbs(menu.windowOpacity() - opacity) <= step);
    QVERIFY(qAbs(sub->windowOpacity() - opacity) <= step);
    QVERIFY(qAbs(subsub->windowOpacity() - opacity) <= step);

    QWidget dialog;
    Common::setChartDialogOpacity(&dialog);
    QVERIFY(qAbs(dialog.windowOpacity() - opacity) <= step);
}

int main(int argc, char** argv)
{
    App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("Tessivar"));
    TestCommon test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Common.moc"
