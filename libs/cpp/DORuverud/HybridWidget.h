#pragma once

#include "VirtualResolutionDialog.h"

#include <QWidget>
#include <memory>

class QVBoxLayout;

namespace DORuverud {

class VirtualResolutionWidget;

// Hosts a page that it shows either as a normal window or, in virtual mode,
// laid out at a virtual screen size inside a scaling view window of its own.
class HybridWidget : public QWidget
{
    Q_OBJECT

public:
    explicit HybridWidget(QWidget* parent = nullptr);
    ~HybridWidget() override;

    void setWidget(QWidget* widget);
    // Titles the host and the view window.
    void setWindowCaption(const QString& text);
    bool isInVirtualMode() const;

public slots:
    void slotSetVirtualResolutionMode(bool on);
    // The window in use, the view window in virtual mode, full screen or normal.
    void slotShowFullScreenMode(bool on);
    // Only in virtual mode; the size is not kept for later.
    void slotSetSize(const QSize& size);
    void slotSetMode(DORuverud::VirtualResolutionDialog::Mode mode);
    // Takes over the dialog's mode and size.
    void slotSetSettings();
    void slotShowSettingsDialog();

private:
    void enterVirtualMode();
    void leaveVirtualMode();
    void applySize(const QSize& size);

    QWidget* m_holder;
    std::unique_ptr<VirtualResolutionWidget> m_viewWindow;
    QVBoxLayout* m_layout;
    bool m_inVirtualMode = false;
    std::unique_ptr<VirtualResolutionDialog> m_dialog;
    QRect m_normalRect;
    // Where the window in use stood before it went full screen.
    QRect m_beforeFullScreen;
};

} // namespace DORuverud
