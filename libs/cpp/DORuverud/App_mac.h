#pragma once

#include <QObject>

// Relays a click on the program's launcher icon (a reopen request) into
// the signal dockClicked(). One instance per process.
class App_mac : public QObject
{
    Q_OBJECT

public:
    static App_mac* instance();

    // Starts listening for reopen requests.
    explicit App_mac(QObject* parent = nullptr);

    void emitClick();

signals:
    void dockClicked();
};
