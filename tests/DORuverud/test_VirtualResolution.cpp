#include "App.h"
#include "DialogTestTools.h"
#include "HybridWidget.h"
#include "ResolutionPictures.h"
#include "ResolutionSetupWidget.h"
#include "VirtualResolutionDialog.h"
#include "VirtualResolutionSingleton.h"
#include "VirtualResolutionWidget.h"

#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

using namespace DialogTestTools;
using namespace DORuverud;

namespace {

ResolutionSetupWidget* group(QWidget* dialog, const QString& title)
{
    for (auto* box : dialog->findChildren<ResolutionSetupWidget*>()) {
        if (box->title() == title)
            return box;
    }
    return nullptr;
}

QSlider* slider(QWidget* dialog, const QString& title = "Virtual Resolution")
{
    return group(dialog, title)->findChild<QSlider*>();
}

// The shown top-level view windows.
QList<VirtualResolutionWidget*> viewWindows()
{
    QList<VirtualResolutionWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* view = qobject_cast<VirtualResolutionWidget*>(widget); view && view->isVisible())
            windows << view;
    }
    return windows;
}

// Records the dialog's signals in order.
QStringList* record(VirtualResolutionDialog* dialog)
{
    auto* events = new QStringList;
    const auto size
        = [](const QSize& s) { return QString("%1x%2").arg(s.width()).arg(s.height()); };
    QObject::connect(dialog, &VirtualResolutionDialog::virtualResolutionChanged,
        [=](const QSize& s) { *events << "virtualResolutionChanged " + size(s); });
    QObject::connect(dialog, &VirtualResolutionDialog::changeVirtualResolution,
        [=](const QSize& s) { *events << "changeVirtualResolution " + size(s); });
    QObject::connect(
        dialog, &VirtualResolutionDialog::changeSettings, [=] { *events << "changeSettings"; });
    QObject::connect(dialog, &QObject::destroyed, [=] { delete events; });
    return events;
}

} // namespace

class TestVirtualResolution : public QObject
{
    Q_OBJECT

private slots:
    void sliderChoosesEveryPreset_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QSize>("size");
        const QList<QSize> presets {{1024, 768}, {1152, 864}, {1280, 800}, {1280, 1024},
            {1440, 900}, {1600, 1200}, {1680, 1050}, {1920, 1200}, {1980, 1250}, {2048, 1536},
            {2650, 1600}, {3840, 2400}, {4096, 3072}, {5300, 3200}};
        for (int i = 0; i < presets.size(); ++i) {
            const QString name
                = QString("%1: %2x%3").arg(i).arg(presets[i].width()).arg(presets[i].height());
            QTest::newRow(qPrintable(name)) << i << presets[i];
        }
    }

    void sliderChoosesEveryPreset()
    {
        QFETCH(int, index);
        QFETCH(QSize, size);
        // GIVEN a fresh dialog: the virtual mode at the first preset
        VirtualResolutionDialog dialog;
        QStringList* events = record(&dialog);
        QCOMPARE(dialog.mode(), VirtualResolutionDialog::VirtualResolution);
        QCOMPARE(dialog.virtualResolution(), QSize(1024, 768));
        QCOMPARE(slider(&dialog)->maximum(), 13);
        // WHEN the slider moves to the preset THEN the numbers show it and the move is passed on
        slider(&dialog)->setValue(index);
        QCOMPARE(dialog.virtualResolution(), size);
        const QString changed
            = QString("virtualResolutionChanged %1x%2").arg(size.width()).arg(size.height());
        QCOMPARE(*events, index == 0 ? QStringList() : QStringList {changed});
        // AND Ok applies nothing
        click(&dialog, "&Ok");
        QCOMPARE(events->size(), index == 0 ? 0 : 1);
    }

    void applyAnnouncesTheShownSizeInEitherMode()
    {
        // GIVEN the dialog under its banner
        VirtualResolutionDialog dialog;
        dialog.show();
        const QImage banner(":/" + ResolutionPictures::logo());
        QVERIFY(!banner.isNull());
        QCOMPARE(dialog.findChildren<QLabel*>().first()->pixmap(Qt::ReturnByValue).toImage(),
            banner.convertToFormat(QImage::Format_RGB32));
        // WHEN a width is typed THEN nothing is emitted
        QStringList* events = record(&dialog);
        QSpinBox* width = group(&dialog, "Virtual Resolution")->findChildren<QSpinBox*>().first();
        width->selectAll();
        QTest::keyClicks(width, "1000");
        QCOMPARE(*events, QStringList());
        // WHEN Apply THEN the size shown, then the request to take over
        click(&dialog, "&Apply");
        QCOMPARE(*events, QStringList({"changeVirtualResolution 1000x768", "changeSettings"}));
        // WHEN the user picks "Normal Model" THEN the group is disabled and Apply still announces
        // it
        auto* mode = dialog.findChild<QComboBox*>();
        QCOMPARE(mode->itemText(1), QString("Normal Model"));
        QTest::keyClick(mode, Qt::Key_Down);
        QCOMPARE(dialog.mode(), VirtualResolutionDialog::Normal);
        QVERIFY(!group(&dialog, "Virtual Resolution")->isEnabled());
        click(&dialog, "&Apply");
        QCOMPARE(
            events->mid(2), QStringList({"changeVirtualResolution 1000x768", "changeSettings"}));
        QTest::keyClick(mode, Qt::Key_Up);
        QVERIFY(group(&dialog, "Virtual Resolution")->isEnabled());
        // AND the hidden group without presets ignores its slider
        QVERIFY(group(&dialog, "Window Size")->isHidden());
        QSignalSpy changed(
            group(&dialog, "Window Size"), &ResolutionSetupWidget::resolutionChanged);
        slider(&dialog, "Window Size")->setValue(50);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(group(&dialog, "Window Size")->resolution(), QSize(100, 100));
    }

    void hostEntersAndLeavesTheVirtualMode_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QSize>("virtualSize");
        QTest::newRow("no dialog yet") << -1 << QSize(1280, 800);
        QTest::newRow("the dialog's size") << 13 << QSize(5300, 3200);
    }

    void hostEntersAndLeavesTheVirtualMode()
    {
        QFETCH(int, preset);
        QFETCH(QSize, virtualSize);
        // GIVEN a host window of 500 x 300, told a size while not in virtual mode
        HybridWidget host;
        host.setWidget(new QLabel("page"));
        host.resize(500, 300);
        host.show();
        host.slotSetSize(QSize(2000, 1000));
        if (preset >= 0) {
            host.slotShowSettingsDialog();
            slider(dialogOf())->setValue(preset);
        }
        // WHEN it enters the virtual mode THEN the page is laid out at the virtual size in the view
        host.slotSetVirtualResolutionMode(true);
        QVERIFY(host.isInVirtualMode());
        QCOMPARE(host.size(), virtualSize);
        QVERIFY(!host.isWindow());
        QCOMPARE(viewWindows().size(), 1);
        // AND full screen applies to the view window
        host.slotShowFullScreenMode(true);
        QVERIFY(viewWindows().first()->isFullScreen());
        host.slotShowFullScreenMode(false);
        QVERIFY(!viewWindows().first()->isFullScreen());
        // WHEN it leaves THEN it is a window again at (50, 50) with its old size
        host.slotSetMode(VirtualResolutionDialog::Normal);
        QVERIFY(host.isWindow() && host.isVisible());
        QCOMPARE(host.pos(), QPoint(50, 50));
        QCOMPARE(host.size(), QSize(500, 300));
        QCOMPARE(viewWindows().size(), 0);
        // AND normal mode again changes nothing
        host.slotSetMode(VirtualResolutionDialog::Normal);
        QCOMPARE(host.pos(), QPoint(50, 50));
        host.slotShowFullScreenMode(true);
        QVERIFY(host.isFullScreen());
    }

    void settingsDialogDrivesTheHost()
    {
        // GIVEN a host: before the dialog exists there are no settings to take over
        HybridWidget host;
        host.resize(400, 200);
        host.show();
        host.slotSetSettings();
        QVERIFY(!host.isInVirtualMode());
        // WHEN the user applies sizes and modes in the dialog THEN the host follows
        host.slotShowSettingsDialog();
        QWidget* dialog = dialogOf();
        slider(dialog)->setValue(2);
        click(dialog, "&Apply");
        QVERIFY(host.isInVirtualMode());
        slider(dialog)->setValue(7);
        click(dialog, "&Apply");
        QCOMPARE(host.size(), QSize(1920, 1200));
        QTest::keyClick(dialog->findChild<QComboBox*>(), Qt::Key_Down);
        click(dialog, "&Apply");
        QVERIFY(!host.isInVirtualMode());
        QCOMPARE(host.size(), QSize(400, 200));
    }

    void hostGoesAwayInVirtualMode()
    {
        auto* host = new HybridWidget;
        host->setWidget(new QLabel("page"));
        host->show();
        host->slotSetVirtualResolutionMode(true);
        QCOMPARE(viewWindows().size(), 1);
        delete host;
        QCOMPARE(viewWindows().size(), 0);
    }

    void viewStretchesThePageToItsWindow()
    {
        // GIVEN the process-wide view, told a size before it has a page
        VirtualResolutionWidget* view = VirtualResolutionSingleton::instance();
        QCOMPARE(VirtualResolutionSingleton::instance(), view);
        QVERIFY(!view->parent());
        view->slotSetWidth(1280);
        view->slotSetHeight(800);
        // WHEN a page comes THEN it takes that size
        auto* page = new QLabel("page");
        view->setWidget(page);
        QCOMPARE(page->size(), QSize(1280, 800));
        // WHEN the window is resized THEN the page is stretched across and down apart
        view->resize(640, 800);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        const QTransform scale = view->findChild<QGraphicsView*>()->transform();
        QVERIFY2(qAbs(scale.m11() - 0.5) < 0.02 && qAbs(scale.m22() - 1.0) < 0.02,
            qPrintable(QString("%1 %2").arg(scale.m11()).arg(scale.m22())));
        view->hide();
    }

private:
    static QWidget* dialogOf()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<VirtualResolutionDialog*>(widget) && widget->isVisible())
                return widget;
        }
        return nullptr;
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestVirtualResolution test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_VirtualResolution.moc"
