#include "HybridWidget.h"

#include "VirtualResolutionWidget.h"

#include <QScreen>
#include <QVBoxLayout>

namespace DORuverud {

HybridWidget::HybridWidget(QWidget* parent)
    : QWidget(parent)
    , m_holder(new QWidget)
    , m_viewWindow(std::make_unique<VirtualResolutionWidget>())
{
    // The view's scene owns the holder from here on.
    m_viewWindow->setWidget(m_holder);
    m_layout = new QVBoxLayout;
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setLayout(m_layout);
}

// In virtual mode the host is a child of the holder, which goes with the
// view window: it leaves first, so that it is not deleted twice.
HybridWidget::~HybridWidget()
{
    if (m_inVirtualMode)
        setParent(nullptr);
}

void HybridWidget::setWidget(QWidget* widget)
{
    m_layout->addWidget(widget);
}

void HybridWidget::setWindowCaption(const QString& text)
{
    setWindowTitle(text);
    m_viewWindow->setWindowTitle(text);
}

bool HybridWidget::isInVirtualMode() const
{
    return m_inVirtualMode;
}

void HybridWidget::slotSetVirtualResolutionMode(bool on)
{
    if (on == m_inVirtualMode)
        return;
    if (on)
        enterVirtualMode();
    else
        leaveVirtualMode();
}

void HybridWidget::enterVirtualMode()
{
    m_normalRect = QRect(QPoint(0, 0), size());
    // The view window takes the host's place on the screen.
    m_viewWindow->setGeometry(QRect(mapToGlobal(QPoint(0, 0)), size()));
    hide();
    m_holder->setFixedSize(size());
    setParent(m_holder);
    m_viewWindow->show();
    show();
    m_inVirtualMode = true;
    applySize(m_dialog ? m_dialog->virtualResolution() : QSize(1280, 800));
}

// Back as a window of its own, with its old size, at (50, 50).
void HybridWidget::leaveVirtualMode()
{
    setParent(nullptr);
    setGeometry(m_normalRect);
    move(50, 50);
    show();
    m_viewWindow->hide();
    m_inVirtualMode = false;
}

void HybridWidget::applySize(const QSize& size)
{
    m_viewWindow->slotSetSize(size);
    setGeometry(m_holder->rect());
}

void HybridWidget::slotSetSize(const QSize& size)
{
    if (m_inVirtualMode)
        applySize(size);
}

void HybridWidget::slotSetMode(VirtualResolutionDialog::Mode mode)
{
    slotSetVirtualResolutionMode(mode == VirtualResolutionDialog::VirtualResolution);
}

// Without a dialog there is nothing to take over.
void HybridWidget::slotSetSettings()
{
    if (!m_dialog)
        return;
    slotSetMode(m_dialog->mode());
    slotSetSize(m_dialog->virtualResolution());
}

// Without a window manager the window state alone changes nothing on the
// screen: the window also takes its screen's geometry, and gives it back.
void HybridWidget::slotShowFullScreenMode(bool on)
{
    QWidget* window = m_inVirtualMode ? static_cast<QWidget*>(m_viewWindow.get()) : this;
    if (on) {
        if (!window->isFullScreen())
            m_beforeFullScreen = window->geometry();
        window->setGeometry(window->screen()->geometry());
        window->showFullScreen();
    } else if (window->isFullScreen()) {
        window->showNormal();
        window->setGeometry(m_beforeFullScreen);
    } else {
        window->showNormal();
    }
}

// One dialog, shown again with its choices on every call.
void HybridWidget::slotShowSettingsDialog()
{
    if (!m_dialog) {
        m_dialog = std::make_unique<VirtualResolutionDialog>();
        connect(m_dialog.get(), &VirtualResolutionDialog::changeSettings, this,
            &HybridWidget::slotSetSettings);
    }
    m_dialog->raise();
    m_dialog->activateWindow();
    m_dialog->show();
}

} // namespace DORuverud
