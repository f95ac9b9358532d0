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

ResolutionSetupWidget* group(QWidget* dialog, const QString& title = "Virtual Resolution")
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

// The first shown top-level window of that class, or null.
template <class Window> Window* shown()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

class TestVirtualResolution : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_events.clear();
    }

    void sliderChoosesEveryPreset_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QSize>("size");
        const QList<QSize> presets {{1024, 768}, {1152, 864}, {1280, 800}, {1280, 1024},
            {1440, 900}, {1600, 1200}, {1680, 1050}, {1920, 1200}, {1980, 1250}, {2048, 1536},
            {2650, 1600}, {3840, 2400}, {4096, 3072}, {5300, 3200}};
        for (int i = 0; i < presets.size(); ++i)
            QTest::newRow(qPrintable(QString("%1: %2").arg(i).arg(text(presets[i]))))
                << i << presets[i];
    }

    void sliderChoosesEveryPreset()
    {
        QFETCH(int, index);
        QFETCH(QSize, size);
        // GIVEN a fresh dialog: the virtual mode at the first preset
        VirtualResolutionDialog dialog;
        record(&dialog);
        QCOMPARE(dialog.mode(), VirtualResolutionDialog::VirtualResolution);
        QCOMPARE(dialog.virtualResolution(), QSize(1024, 768));
        // WHEN the slider moves to the preset THEN the numbers show it and the move is passed on
        slider(&dialog)->setValue(index);
        QCOMPARE(dialog.virtualResolution(), size);
        const QStringList moved {"virtualResolutionChanged " + text(size)};
        QCOMPARE(m_events, index == 0 ? QStringList() : moved);
        // AND Ok applies nothing
        click(&dialog, "&Ok");
        QCOMPARE(m_events, index == 0 ? QStringList() : moved);
    }

    void applyAnnouncesTheShownSizeInEitherMode()
    {
        // GIVEN the dialog under its banner
        VirtualResolutionDialog dialog;
        dialog.show();
        const QImage banner(":/" + ResolutionPictures::logo());
        QVERIFY(!banner.isNull());
        QCOMPARE(dialog.findChild<QLabel*>()->pixmap(Qt::ReturnByValue).toImage(),
            banner.convertToFormat(QImage::Format_RGB32));
        // WHEN a width is typed and Apply pressed THEN the size shown, then the request
        record(&dialog);
        QSpinBox* width = group(&dialog)->findChild<QSpinBox*>();
        width->selectAll();
        QTest::keyClicks(width, "1000");
        click(&dialog, "&Apply");
        const QStringList applied {"changeVirtualResolution 1000x768", "changeSettings"};
        QCOMPARE(m_events, applied);
        // WHEN the user picks "Normal Model" THEN the group is disabled; Apply still announces it
        auto* mode = dialog.findChild<QComboBox*>();
        QCOMPARE(mode->itemText(1), QString("Normal Model"));
        QTest::keyClick(mode, Qt::Key_Down);
        QCOMPARE(dialog.mode(), VirtualResolutionDialog::Normal);
        QVERIFY(!group(&dialog)->isEnabled());
        click(&dialog, "&Apply");
        QCOMPARE(m_events, applied + applied);
        QTest::keyClick(mode, Qt::Key_Up);
        QVERIFY(group(&dialog)->isEnabled());
        // AND the hidden group without presets ignores its slider
        ResolutionSetupWidget* window = group(&dialog, "Window Size");
        QSignalSpy changed(window, &ResolutionSetupWidget::resolutionChanged);
        slider(&dialog, "Window Size")->setValue(50);
        QVERIFY(window->isHidden() && changed.isEmpty() && window->resolution() == QSize(100, 100));
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
            slider(shown<VirtualResolutionDialog>())->setValue(preset);
        }
        // WHEN it enters the virtual mode THEN the page is laid out at the virtual size in the view
        host.slotSetVirtualResolutionMode(true);
        QVERIFY(host.isInVirtualMode() && !host.isWindow());
        QCOMPARE(host.size(), virtualSize);
        // AND full screen applies to the view window
        host.slotShowFullScreenMode(true);
        QVERIFY(shown<VirtualResolutionWidget>()->isFullScreen() && !host.isFullScreen());
        // WHEN it leaves THEN it is a window again at (50, 50) with its old size
        host.slotSetMode(VirtualResolutionDialog::Normal);
        QVERIFY(host.isWindow() && host.isVisible() && !shown<VirtualResolutionWidget>());
        QCOMPARE(host.pos(), QPoint(50, 50));
        QCOMPARE(host.size(), QSize(500, 300));
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
        auto* dialog = shown<VirtualResolutionDialog>();
        slider(dialog)->setValue(7);
        click(dialog, "&Apply");
        QVERIFY(host.isInVirtualMode());
        QCOMPARE(host.size(), QSize(1920, 1200));
        QTest::keyClick(dialog->findChild<QComboBox*>(), Qt::Key_Down);
        click(dialog, "&Apply");
        QVERIFY(!host.isInVirtualMode());
        QCOMPARE(host.size(), QSize(400, 200));
    }

    void hostGoesAwayInVirtualMode()
    {
        auto* host = new HybridWidget;
        host->show();
        host->slotSetVirtualResolutionMode(true);
        QVERIFY(shown<VirtualResolutionWidget>());
        delete host;
        QVERIFY(!shown<VirtualResolutionWidget>());
    }

    void viewWithoutAPageWaitsForIt()
    {
        // GIVEN a view shown, resized and sized before it has a page
        VirtualResolutionWidget view;
        view.resize(300, 200);
        view.show();
        view.resize(320, 240);
        view.slotSetSize(QSize(800, 600));
        // WHEN a page comes THEN it takes that size
        auto* page = new QLabel("page");
        view.setWidget(page);
        QCOMPARE(page->size(), QSize(800, 600));
    }

    void viewStretchesThePageToItsWindow()
    {
        // GIVEN the process-wide view, told a size before it has a page
        VirtualResolutionWidget* view = VirtualResolutionSingleton::instance();
        QVERIFY(VirtualResolutionSingleton::instance() == view && !view->parent());
        view->slotSetWidth(1280);
        view->slotSetHeight(800);
        // WHEN a page comes THEN it takes that size
        auto* page = new QLabel("page");
        view->setWidget(page);
        QCOMPARE(page->size(), QSize(1280, 800));
        // WHEN the window is shown at half the width THEN the page is squeezed across only
        view->resize(640, 800);
        view->show();
        const QTransform scale = view->findChild<QGraphicsView*>()->transform();
        QVERIFY2(qAbs(scale.m11() - 0.5) < 0.02 && qAbs(scale.m22() - 1.0) < 0.02,
            qPrintable(QString("%1 %2").arg(scale.m11()).arg(scale.m22())));
        view->hide();
    }

private:
    static QString text(const QSize& size)
    {
        return QString("%1x%2").arg(size.width()).arg(size.height());
    }

    void record(VirtualResolutionDialog* dialog)
    {
        const auto sized = [this](const QString& name) {
            return [this, name](const QSize& size) { m_events << name + ' ' + text(size); };
        };
        connect(dialog, &VirtualResolutionDialog::virtualResolutionChanged, this,
            sized("virtualResolutionChanged"));
        connect(dialog, &VirtualResolutionDialog::changeVirtualResolution, this,
            sized("changeVirtualResolution"));
        connect(dialog, &VirtualResolutionDialog::changeSettings, this,
            [this] { m_events << "changeSettings"; });
    }

    QStringList m_events;
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestVirtualResolution test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_VirtualResolution.moc"
