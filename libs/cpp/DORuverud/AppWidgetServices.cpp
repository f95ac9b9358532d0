// App: services for widgets (activation, widget lookup, synthetic clicks,
// main window, introduction slides).
#include "App.h"

#include "HelpDialog.h"

#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace DORuverud {

bool App::notify(QObject* receiver, QEvent* event)
{
    if (event->type() == QEvent::ApplicationDeactivate) {
        m_deactivated = true;
        emit applicationDeactivated();
    } else if (event->type() == QEvent::ApplicationActivate) {
        m_deactivated = false;
        emit applicationActivated();
    }
    return QApplication::notify(receiver, event);
}

bool App::isDeactivated() const
{
    return m_deactivated;
}

QWidget* App::getWidgetByClassName(const QString& className)
{
    QWidget* candidate = nullptr;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (className == QLatin1String(window->metaObject()->className()))
            return window;
        const QList<QWidget*> children = window->findChildren<QWidget*>();
        for (QWidget* child : children) {
            if (className == QLatin1String(child->metaObject()->className())) {
                candidate = child;
                break;
            }
        }
    }
    return candidate;
}

bool App::isChildOf(QObject* child, QObject* parent)
{
    return parent && parent->findChildren<QObject*>().contains(child);
}

static void postMouseEvent(QWidget* widget, QEvent::Type type, const QPoint& pos,
    Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QCoreApplication::postEvent(
        widget, new QMouseEvent(type, pos, button, buttons, Qt::NoModifier));
}

void App::mousePress(
    QWidget* widget, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (widget)
        postMouseEvent(widget, QEvent::MouseButtonPress, QPoint(x, y), button, buttons);
}

void App::mouseRelease(
    QWidget* widget, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (widget)
        postMouseEvent(widget, QEvent::MouseButtonRelease, QPoint(x, y), button, buttons);
}

void App::mouseClick(
    QWidget* widget, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (!widget)
        return;
    const QPoint pos = calculateMousePosition(widget, x, y);
    postMouseEvent(widget, QEvent::MouseButtonPress, pos, button, buttons);
    postMouseEvent(widget, QEvent::MouseButtonRelease, pos, button, buttons);
}

QPoint App::calculateMousePosition(QWidget* widget, int x, int y)
{
    return QPoint(x < 0 ? widget->width() / 2 : x, y < 0 ? widget->height() / 2 : y);
}

void App::setMainWidget(QWidget* widget)
{
    m_mainWidget = widget;
}

QWidget* App::mainWidget() const
{
    return m_mainWidget;
}

void App::slotFocusChanged(QWidget*, QWidget*)
{
    if (!m_focusOverlay)
        return;
    if (QApplication::activeWindow() != m_mainWidget) {
        m_focusOverlay->setFixedSize(m_mainWidget->size());
        m_focusOverlay->show();
        m_focusOverlay->raise();
    } else {
        m_focusOverlay->hide();
    }
}

void App::setIntroductionSlides(const QStringList& slides)
{
    m_introductionSlides = slides;
}

void App::showHelpOnStart()
{
    if (HelpDialog::isShowOnStartAvailable())
        QTimer::singleShot(500, this, &App::slotHelp);
}

// The dialog is made once, over the active window or else the main window;
// it dies with that window, and the next call makes a new one. Without
// either, the application object deletes it at the end.
void App::slotHelp()
{
    if (!m_helpDialog) {
        QWidget* owner = QApplication::activeWindow();
        m_helpDialog = new HelpDialog(owner ? owner : m_mainWidget);
        for (const QString& slide : qAsConst(m_introductionSlides))
            m_helpDialog->addSlide(slide);
    }
    m_helpDialog->exec();
}

void App::setProxy() { }

} // namespace DORuverud
