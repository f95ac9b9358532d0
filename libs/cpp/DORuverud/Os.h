#pragma once

#include <QObject>

// Platform services: screen scale, file manager, launcher badge, start
// at logon and power notifications. One instance per process.
class Os : public QObject
{
    Q_OBJECT

public:
    static Os* instance();

    Os();
    ~Os() override;

    // Physical pixels per logical pixel of the primary screen.
    static double scaleFactor();

signals:
    void atSwitchToStandBy();
    void atWakeUpFromStandBy();
    void atUserLogout();

private:
    static Os* s_instance;
};
