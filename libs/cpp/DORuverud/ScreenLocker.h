#pragma once

#include <QLabel>

class QPushButton;
class QTimer;

namespace DORuverud {

// A full-screen cover that stays on top and holds the keyboard and the mouse.
// It locks again every 10 ms for as long as it exists; only deleting it ends
// the lock. The unlock button, hidden unless shown, releases the input once
// and emits unlocked().
class ScreenLocker : public QLabel
{
    Q_OBJECT

public:
    // Not shown until the first tick of the re-lock timer.
    explicit ScreenLocker(QWidget* parent = nullptr);

    void showUnlockButton();

signals:
    void unlocked();

public slots:
    void slotCheck();
    void slotLock();
    void slotTest();

private slots:
    void slotReleaseInputDevices();

private:
    QPushButton* m_pUnlockButton;
    QTimer* m_pTimer;
};

} // namespace DORuverud
