#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

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

// The button of that caption among the widget's descendants (only visible ones
// once the widget shows), or null.
inline QAbstractButton* buttonCaptioned(QWidget* widget, const QString& caption)
{
    const QList<QAbstractButton*> buttons = widget->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (button->text() == caption && (button->isVisible() || !widget->isVisible()))
            return button;
    }
    return nullptr;
}

inline void click(QWidget* widget, const QString& caption)
{
    QAbstractButton* button = buttonCaptioned(widget, caption);
    QVERIFY2(button, qPrintable(QString("no button ") + caption));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Makes the window active, so that its shortcuts answer, then presses Escape.
inline void pressEscape(QWidget* window)
{
    QApplication::setActiveWindow(window);
    QTRY_COMPARE(QApplication::activeWindow(), window);
    QTest::keyClick(window, Qt::Key_Escape);
}

// Captions of the widget's visible captioned buttons, or the object names of all
// its visible buttons, left to right.
inline QStringList buttonsLeftToRight(QWidget* widget, bool byName = false)
{
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : widget->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(widget) && (byName || !button->text().isEmpty()))
            buttons << button;
    }
    std::sort(buttons.begin(), buttons.end(),
        [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
    QStringList names;
    for (QAbstractButton* button : buttons)
        names << (byName ? button->objectName() : button->text());
    return names;
}

// Acts on the first modal dialog that opens while it lives, also inside a
// nested exec(), and keeps its class name; a progress dialog, which shows
// while the window waits, is no answer.
class ModalAnswer
{
public:
    explicit ModalAnswer(std::function<void(QWidget*)> action)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, action]() {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && !qobject_cast<QProgressDialog*>(modal)) {
                m_poll.stop();
                shown = QLatin1String(modal->metaObject()->className());
                action(modal);
            }
        });
        m_poll.start();
    }

    QString shown;

private:
    QTimer m_poll;
};

// For a ModalAnswer: types the name into a file dialog and accepts, or cancels.
inline std::function<void(QWidget*)> fileDialogAnswer(const QString& typed, bool accept)
{
    return [typed, accept](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
        accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
    };
}

// Runs open, which shows a file dialog, answers the dialog with the path and
// rejects the dialog after it; returns that dialog's text when it was a message
// box, or an empty text when none came.
inline QString messageAfterFileDialog(const QString& path, std::function<void()> open)
{
    QString message;
    std::unique_ptr<ModalAnswer> box;
    whenModal([&](QWidget* modal) {
        fileDialogAnswer(path, true)(modal);
        box = std::make_unique<ModalAnswer>([&message](QWidget* modal) {
            if (auto* messageBox = qobject_cast<QMessageBox*>(modal))
                message = messageBox->text();
            static_cast<QDialog*>(modal)->reject();
        });
    });
    open();
    return message;
}

// What a message box showed: its class, the lines of its text, and what a
// user who selects its last line gets to copy.
struct ShownMessage
{
    QString className;
    QStringList lines;
    QString selection;
};

// Runs open and answers the message box it shows with "Ok".
inline ShownMessage messageShownBy(std::function<void()> open)
{
    ShownMessage message;
    ModalAnswer answer([&message](QWidget* box) {
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            message.lines = label->text().split('\n');
            const QString last = message.lines.last();
            label->setSelection(label->text().size() - last.size(), last.size());
            message.selection = label->selectedText();
        }
        click(box, "Ok");
    });
    open();
    message.className = answer.shown;
    return message;
}

// Runs act, rejecting each dialog it shows; the text of the message box
// shown, or an empty text when none came.
inline QString messageRejectedDuring(std::function<void()> act)
{
    QString message;
    ModalAnswer box([&message](QWidget* modal) {
        if (auto* messageBox = qobject_cast<QMessageBox*>(modal))
            message = messageBox->text();
        static_cast<QDialog*>(modal)->reject();
    });
    act();
    return message;
}

// Captures the URLs handed to QDesktopServices::openUrl for the schemes.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    explicit UrlCatcher(const QStringList& schemes = {"http", "https"})
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
