#pragma once

#include <QFrame>

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QPushButton;
class QSignalMapper;
class QTimer;

namespace DORuverud {

class HelpDisplay;

// A slide show: the display above a row of numbered slide buttons. While
// it runs it moves on to the next slide every four seconds.
class HelpViewArea : public QFrame
{
    Q_OBJECT

public:
    explicit HelpViewArea(QWidget* parent = nullptr);

    void addSlide(const QString& path);
    QPushButton* applyItemButtonProperties(QPushButton* button, const QString& objectName);

public slots:
    // Checks the first slide when none is, then runs the timer.
    void slotStartSlideShow();
    void slotStopSlideShow();

private slots:
    void slotButtonClicked();
    void slotShowSlide(const QString& path);
    void slotShowNextSlide();

private:
    QTimer* m_timer;
    HelpDisplay* m_display;
    QHBoxLayout* m_buttonRow;
    QButtonGroup* m_buttonGroup;
    QSignalMapper* m_slideMapper;
};

} // namespace DORuverud
