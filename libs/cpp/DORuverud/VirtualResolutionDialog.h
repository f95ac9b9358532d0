#pragma once

#include <QDialog>

class QComboBox;

namespace DORuverud {

class ResolutionSetupWidget;

// Where the user picks the virtual resolution mode or the normal mode, and
// the virtual screen size. It applies nothing itself: Apply announces the
// size and asks the owner to read mode() and virtualResolution() back.
class VirtualResolutionDialog : public QDialog
{
    Q_OBJECT

public:
    enum Mode { VirtualResolution = 0, Normal = 1 };

    explicit VirtualResolutionDialog(QWidget* parent = nullptr);

    Mode mode() const;
    QSize virtualResolution() const;

signals:
    // Every move of the size slider.
    void virtualResolutionChanged(const QSize& size);
    // Apply: first the size, then the request to take over the settings.
    void changeVirtualResolution(const QSize& size);
    void changeSettings();

private slots:
    void slotApply();
    void slotModeChanged(int index);

private:
    QLayout* buttonRow();
    QLayout* accelerationRow();

    QComboBox* m_mode;
    ResolutionSetupWidget* m_virtualResolution;
    ResolutionSetupWidget* m_windowSize;
};

} // namespace DORuverud
