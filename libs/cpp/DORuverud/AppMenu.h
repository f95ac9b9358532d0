#pragma once

#include <QMenu>

namespace DORuverud {

// The application menu: share, join, more apps, contact, support page,
// About and Quit (with Rate first in a store build).
class AppMenu : public QMenu
{
    Q_OBJECT

public:
    explicit AppMenu(QWidget* parent);

    // The icon of a menu entry, its picture read when a menu first draws it.
    static QIcon menuIcon(const QString& path);

signals:
    void quitPressed();

private slots:
    void slotAbout();
};

} // namespace DORuverud
