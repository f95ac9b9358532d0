#pragma once

#include <QPixmap>
#include <QString>

#include <functional>

class QMenu;
class QPushButton;
class QWidget;

namespace DORuverud {

// Static helpers that give controls the look the style sheet expects.
class Common
{
public:
    Common() = delete;

    // Sets the object name, and the tool tip when it is not empty.
    static void extend(QWidget* widget, const QString& objectName, const QString& toolTip);
    static void applyPushButtonDetails(QPushButton* button);
    static void applyToolButtonDetails(QPushButton* button);
    // Opacity of a menu and its current submenus, from the settings.
    static void setMenuOpacity(QMenu* menu);
    static void setChartDialogOpacity(QWidget* widget);
    // The default screen at its physical resolution, from the grabber when one is set.
    static QPixmap grabScreen();
    // Stands in for the real grab, for example to hand in a known picture where
    // the platform cannot grab; an empty function brings the real grab back.
    static void setScreenGrabber(std::function<QPixmap()> grabber);

private:
    // The stored value is a transparency percentage shifted by 30.
    static qreal opacityFromSetting(const QString& key);
    static QPixmap grabPrimaryScreen();
    static std::function<QPixmap()>& screenGrabber();
};

} // namespace DORuverud
