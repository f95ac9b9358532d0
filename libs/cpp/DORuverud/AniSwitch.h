#pragma once

#include <QWidget>

class QPushButton;
class QStateMachine;

namespace DORuverud {

class CheckButton;

// An on/off switch whose handle slides over a track in 400 ms. Give it its
// final size, then call init(); until then it is empty, reads off and
// ignores setOn().
class AniSwitch : public QWidget
{
    Q_OBJECT

public:
    explicit AniSwitch(QWidget* parent = nullptr);

    // Builds the switch from the current size; later calls do nothing. The
    // switch takes its initial state on the next pass of the event loop.
    void init(bool showIcon, bool on);
    bool isChecked() const;

signals:
    // Follows every change of the value.
    void toggled(bool on);

public slots:
    void setOn(bool on);

private slots:
    void slotSetOn();
    void slotSetOff();

private:
    void buildArea();
    void buildHandle(bool showIcon);
    void buildStateMachine(bool on);

    CheckButton* m_pIconButton = nullptr;
    QStateMachine* m_pStateMachine = nullptr;
    QPushButton* m_pHandle = nullptr;
    QWidget* m_pArea = nullptr;
    bool m_bInitialised = false;
};

} // namespace DORuverud
