#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace DORuverud {

// A strip that is either a text label or a progress bar with a stop button.
// A stop request is read with isStopped() before the next progress report.
class ComboProgress : public QWidget
{
    Q_OBJECT

public:
    explicit ComboProgress(QWidget* parent = nullptr);

    // For the caller to set its text.
    QLabel* label();
    // On: the label; off: the bar and the stop button.
    void setLabelMode(bool on);
    int progress() const;
    bool isStopped() const;

public slots:
    // 100 or more shows the label. Below 100 shows the bar if the label is on
    // screen, clears the stop request and sets the bar.
    void slotSetProgress(int value);

private slots:
    void slotStopPressed();

private:
    QProgressBar* m_pProgressBar;
    QPushButton* m_pStopButton;
    QLabel* m_pLabel;
    bool m_bStopped = false;
};

} // namespace DORuverud
