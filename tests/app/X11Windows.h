#pragma once

#include <QSize>
#include <QString>

// Finds, resizes and closes the top-level windows of other programs on
// the X display, the way a window manager's user would.
class X11Windows
{
public:
    X11Windows();
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    bool isOpen() const;
    // A mapped window with that title, 0 when there is none.
    unsigned long find(const QString& title) const;
    QSize size(unsigned long window) const;
    void resize(unsigned long window, const QSize& size);
    // Asks the window to close, as the title bar's close button does.
    void close(unsigned long window);

private:
    unsigned long findBelow(unsigned long parent, const QByteArray& title) const;

    void* m_display;
};
