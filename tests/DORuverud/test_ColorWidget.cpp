#include "ColorWidget.h"
#include "ColorWidgetPopup.h"

#include <QGridLayout>
#include <QPushButton>
#include <QtTest>

using namespace DORuverud;

namespace {

QPushButton* cell(ColorWidgetPopup* popup, int row, int column)
{
    auto* grid = qobject_cast<QGridLayout*>(popup->layout());
    QLayoutItem* item = grid ? grid->itemAtPosition(row, column) : nullptr;
    return item ? qobject_cast<QPushButton*>(item->widget()) : nullptr;
}

} // namespace

class TestColorWidget : public QObject
{
    Q_OBJECT

private slots:
    void freshSwatchIsGreenAndSilent()
    {
        ColorWidget swatch;
        swatch.resize(24, 24);
        QSignalSpy picked(&swatch, &ColorWidget::colorChanged);
        QCOMPARE(swatch.color(), QColor(Qt::green));
        QCOMPARE(swatch.grab().toImage().pixelColor(12, 12).hue(), QColor(Qt::green).hue());
        swatch.setColor(Qt::blue);
        QCOMPARE(swatch.color(), QColor(Qt::blue));
        QCOMPARE(picked.count(), 0);
    }

    void gridHoldsSixRowsOfEight()
    {
        ColorWidget swatch;
        auto* popup = swatch.findChild<ColorWidgetPopup*>("ColorWidgetPopup");
        QVERIFY(popup);
        QCOMPARE(popup->findChildren<QPushButton*>().size(), 48);
        QVERIFY(cell(popup, 5, 7) && !cell(popup, 6, 0) && !cell(popup, 0, 8));
        QCOMPARE(cell(popup, 3, 4)->size(), QSize(20, 20));
        QVERIFY(cell(popup, 3, 4)->isFlat());
    }

    void clickOnCellEmitsItsColour_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("white at the top of the grey ramp") << 0 << 0 << QColor(255, 255, 255);
        QTest::newRow("light orange") << 0 << 2 << QColor(255, 224, 192);
        QTest::newRow("pure red") << 2 << 1 << QColor(255, 0, 0);
        QTest::newRow("dark orange") << 3 << 2 << QColor(192, 64, 0);
        QTest::newRow("teal") << 4 << 5 << QColor(0, 128, 128);
        QTest::newRow("black at the foot of the ramp") << 5 << 0 << QColor(0, 0, 0);
        QTest::newRow("brighter brown in the darkest row") << 5 << 2 << QColor(128, 64, 64);
        QTest::newRow("last cell") << 5 << 7 << QColor(64, 0, 64);
    }

    void clickOnCellEmitsItsColour()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QColor, colour);
        // GIVEN a swatch whose popup was opened by a press
        QWidget window;
        auto* swatch = new ColorWidget(&window);
        swatch->setGeometry(30, 40, 24, 24);
        window.show();
        auto* popup = swatch->findChild<ColorWidgetPopup*>();
        QSignalSpy picked(swatch, &ColorWidget::colorChanged);
        QTest::mouseClick(swatch, Qt::LeftButton);
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->pos(), swatch->mapToGlobal(QPoint(0, 24)));
        // WHEN the cell is clicked
        QTest::mouseClick(cell(popup, row, column), Qt::LeftButton);
        // THEN the swatch takes and emits its colour, and the popup closes
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).value<QColor>(), colour);
        QCOMPARE(swatch->color(), colour);
        QVERIFY(popup->isHidden());
        // AND the same colour picked again is emitted again
        QTest::mouseClick(swatch, Qt::LeftButton);
        QTest::mouseClick(cell(popup, row, column), Qt::LeftButton);
        QCOMPARE(picked.count(), 2);
    }

    void pressesToggleAndLeavingHides()
    {
        ColorWidget swatch;
        swatch.resize(24, 24);
        swatch.show();
        auto* popup = swatch.findChild<ColorWidgetPopup*>();
        QTest::mouseClick(&swatch, Qt::LeftButton);
        QVERIFY(popup->isVisible());
        QTest::mouseClick(&swatch, Qt::LeftButton);
        QVERIFY(popup->isHidden());
        // The mouse over the popup marks it in action; leaving it closes it.
        QTest::mouseClick(&swatch, Qt::LeftButton);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(popup, &enter);
        QVERIFY(popup->isInAction());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(popup, &leave);
        QVERIFY(!popup->isInAction());
        QVERIFY(popup->isHidden());
    }
};

QTEST_MAIN(TestColorWidget)

#include "test_ColorWidget.moc"
