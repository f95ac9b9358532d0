#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QTimer>
#include <QtTest>
#include <functional>

// Helpers for driving modal dialogs from a test.
namespace DialogTestTools {

// Runs action on the modal widget once exec() has shown it.
inline void whenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action]() {
        QTRY_VERIFY(QApplication::activeModalWidget());
        action(QApplication::activeModalWidget());
    });
}

// The button of that caption among the widget's descendants, or null.
template <typename Button = QAbstractButton>
Button* buttonCaptioned(QWidget* widget, const QString& caption)
{
    const QList<Button*> buttons = widget->findChildren<Button*>();
    for (Button* button : buttons) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

// Makes the window active, so that its shortcuts answer, then presses Escape.
inline void pressEscape(QWidget* window)
{
    QApplication::setActiveWindow(window);
    QTRY_COMPARE(QApplication::activeWindow(), window);
    QTest::keyClick(window, Qt::Key_Escape);
}

inline void click(QWidget* widget, const QString& caption)
{
    QAbstractButton* button = buttonCaptioned(widget, caption);
    QVERIFY2(button, qPrintable(QStringLiteral("no button ") + caption));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Captures the URLs handed to QDesktopServices::openUrl for a scheme.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    explicit UrlCatcher(const QStringList& schemes)
        : m_schemes(schemes)
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "handle");
    }
    ~UrlCatcher() override
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> urls;

public slots:
    void handle(const QUrl& url)
    {
        urls << url;
    }

private:
    QStringList m_schemes;
};

} // namespace DialogTestTools
