#include "Common.h"

#include "App.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace DORuverud {

void Common::extend(QWidget* widget, const QString& objectName, const QString& toolTip)
{
    widget->setObjectName(objectName);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
}

void Common::applyPushButtonDetails(QPushButton* button)
{
    button->setObjectName(QStringLiteral("PushButton"));
    button->setFlat(true);
    button->setMinimumHeight(32);
}

void Common::applyToolButtonDetails(QPushButton* button)
{
    button->setFlat(true);
    button->setFixedSize(32, 32);
}

qreal Common::opacityFromSetting(const QString& key)
{
    const int value = App::theApp()->settingsValue(key, 35).toInt();
    // Single precision on purpose: 35 gives exactly the stored 0.95f.
    const float opacity = float(value) / -100.0f + 1.3f;
    return qreal(opacity);
}

void Common::setMenuOpacity(QMenu* menu)
{
    const qreal opacity = opacityFromSetting(QStringLiteral("TransparencyParameters/ContextMenus"));
    menu->setWindowOpacity(opacity);
    const QList<QMenu*> submenus = menu->findChildren<QMenu*>();
    for (QMenu* submenu : submenus)
        submenu->setWindowOpacity(opacity);
}

void Common::setChartDialogOpacity(QWidget* widget)
{
    widget->setWindowOpacity(
        opacityFromSetting(QStringLiteral("TransparencyParameters/ChartDialogs")));
}

QPixmap Common::grabScreen()
{
    const std::function<QPixmap()>& grabber = screenGrabber();
    return grabber ? grabber() : grabPrimaryScreen();
}

void Common::setScreenGrabber(std::function<QPixmap()> grabber)
{
    screenGrabber() = std::move(grabber);
}

std::function<QPixmap()>& Common::screenGrabber()
{
    static std::function<QPixmap()> grabber;
    return grabber;
}

// Qt takes the rectangle in logical pixels and answers in physical ones, so
// the logical geometry covers the whole screen at any scale factor.
QPixmap Common::grabPrimaryScreen()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QPixmap();
    const QRect geometry = screen->geometry();
    QPixmap pixmap
        = screen->grabWindow(0, geometry.x(), geometry.y(), geometry.width(), geometry.height());
    pixmap.setDevicePixelRatio(1.0);
    return pixmap;
}

} // namespace DORuverud
