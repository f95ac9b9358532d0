#include "AdvancedLabel.h"
#include "ComboProgress.h"
#include "ListWidgetItem.h"

#include <QBitmap>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace DORuverud;

namespace {

const QColor ground(10, 20, 200);

void hover(QWidget* widget, bool in)
{
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

QImage painted(AdvancedLabel& label)
{
    return label.grab().toImage();
}

} // namespace

class TestLabelsAndProgress : public QObject
{
    Q_OBJECT

private slots:
    void labelBrightensPictureWhileHovered_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QColor>("plain");
        QTest::addColumn<QColor>("bright");
        QImage argb(8, 6, QImage::Format_ARGB32);
        argb.fill(QColor(100, 50, 20));
        QTest::newRow("32-bit picture") << argb << QColor(100, 50, 20) << QColor(130, 80, 50);
        QTest::newRow("24-bit picture") << argb.convertToFormat(QImage::Format_RGB888)
                                        << QColor(100, 50, 20) << QColor(130, 80, 50);
        QImage gray(8, 6, QImage::Format_Grayscale8);
        gray.fill(QColor(240, 240, 240));
        QTest::newRow("8-bit gray picture clamps at 255")
            << gray << QColor(240, 240, 240) << QColor(255, 255, 255);
        QImage mono(8, 6, QImage::Format_Mono);
        mono.fill(0);
        QTest::newRow("1-bit picture") << mono << QColor(Qt::black) << QColor(30, 30, 30);
    }

    void labelBrightensPictureWhileHovered()
    {
        QFETCH(QImage, picture);
        QFETCH(QColor, plain);
        QFETCH(QColor, bright);
        // GIVEN a 100 x 60 label with margin 5
        AdvancedLabel label;
        label.setPalette(QPalette(ground));
        label.setAutoFillBackground(true);
        label.resize(100, 60);
        label.setMargin(5);
        label.setBackgroundPixmap(
            picture.depth() == 1 ? QBitmap::fromImage(picture) : QPixmap::fromImage(picture));
        // THEN the picture fills 90 x 50 at (5, 5)
        QImage shown = painted(label);
        QCOMPARE(shown.pixelColor(5, 5), plain);
        QCOMPARE(shown.pixelColor(94, 54), plain);
        QCOMPARE(shown.pixelColor(4, 4), ground);
        QCOMPARE(shown.pixelColor(95, 55), ground);
        // WHEN the mouse enters, it is brightened; when it leaves, plain again
        hover(&label, true);
        QCOMPARE(painted(label).pixelColor(50, 30), bright);
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        hover(&label, false);
        QCOMPARE(painted(label).pixelColor(50, 30), plain);
        QCOMPARE(label.cursor().shape(), Qt::ArrowCursor);
    }

    void labelCaptionAndClick()
    {
        QWidget parent;
        auto* label = new AdvancedLabel(&parent);
        label->resize(120, 80);
        const QImage empty = painted(*label).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(empty,
            QWidget().grab(QRect(0, 0, 120, 80)).toImage().convertToFormat(QImage::Format_RGB32));
        // A caption alone is drawn at the top.
        label->setText("A caption that wraps over lines");
        const QImage caption = painted(*label).convertToFormat(QImage::Format_RGB32);
        QVERIFY(caption != empty);
        QCOMPARE(caption.copy(0, 60, 120, 20), empty.copy(0, 60, 120, 20));
        // A press is signalled before the press reaches the base and goes on to the parent.
        QStringList order;
        connect(label, &AdvancedLabel::clicked, [&] { order << "clicked"; });
        parent.installEventFilter(this);
        m_log = &order;
        QTest::mousePress(label, Qt::RightButton);
        QCOMPARE(order, QStringList({"clicked", "parent"}));
        m_log = nullptr;
    }

    void progressStripModes_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("labelMode");
        QTest::addColumn<int>("progress");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("fresh strip shows the label")
            << true << QStringList() << true << -1 << false;
        QTest::newRow("progress shows the bar")
            << true << QStringList {"40"} << false << 40 << false;
        QTest::newRow("100 shows the label, the value stays")
            << true << QStringList {"40", "100"} << true << 40 << false;
        QTest::newRow("stop shows the label")
            << true << QStringList {"40", "stop"} << true << 40 << true;
        QTest::newRow("next report clears the stop")
            << true << QStringList {"40", "stop", "50"} << false << 50 << false;
        QTest::newRow("strip not shown keeps the label")
            << false << QStringList {"40"} << true << 40 << false;
    }

    void progressStripModes()
    {
        QFETCH(bool, shown);
        QFETCH(QStringList, steps);
        ComboProgress strip;
        strip.setVisible(shown);
        auto* stop = strip.findChild<QPushButton*>("ComboProgressStop");
        QCOMPARE(stop->toolTip(), QString("Stop"));
        QCOMPARE(stop->size(), QSize(20, 20));
        for (const QString& step : steps) {
            if (step == "stop")
                QTest::mouseClick(stop, Qt::LeftButton);
            else
                strip.slotSetProgress(step.toInt());
        }
        QFETCH(bool, labelMode);
        QCOMPARE(!strip.label()->isHidden(), labelMode);
        QCOMPARE(strip.findChild<QProgressBar*>()->isHidden(), labelMode);
        QCOMPARE(stop->isHidden(), labelMode);
        QTEST(strip.progress(), "progress");
        QTEST(strip.isStopped(), "stopped");
    }

    void listItemCarriesPath()
    {
        QListWidget list;
        ListWidgetItem item(QIcon(), "name", &list);
        item.setFullPath("/pictures/name.png");
        QCOMPARE(item.fullPath(), QString("/pictures/name.png"));
        QCOMPARE(list.item(0), &item);
        const QListWidgetItem& source = item;
        ListWidgetItem copy(source);
        QCOMPARE(copy.text(), QString("name"));
        QVERIFY(copy.fullPath().isEmpty());
        list.takeItem(0);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (m_log && event->type() == QEvent::MouseButtonPress)
            *m_log << "parent";
        return false;
    }

private:
    QStringList* m_log = nullptr;
};

QTEST_MAIN(TestLabelsAndProgress)

#include "test_LabelsAndProgress.moc"
