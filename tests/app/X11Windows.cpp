#include "X11Windows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

Display* display(void* handle)
{
    return static_cast<Display*>(handle);
}

} // namespace

X11Windows::X11Windows()
    : m_display(XOpenDisplay(nullptr))
{
}

X11Windows::~X11Windows()
{
    if (m_display)
        XCloseDisplay(display(m_display));
}

bool X11Windows::isOpen() const
{
    return m_display;
}

unsigned long X11Windows::find(const QString& title) const
{
    return findBelow(DefaultRootWindow(display(m_display)), title.toUtf8());
}

unsigned long X11Windows::findBelow(unsigned long parent, const QByteArray& title) const
{
    Display* dpy = display(m_display);
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy, parent, &root, &parentOfParent, &children, &count))
        return 0;
    unsigned long found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        char* name = nullptr;
        if (XGetWindowAttributes(dpy, children[i], &attributes)
            && attributes.map_state == IsViewable && XFetchName(dpy, children[i], &name) && name) {
            if (title == name)
                found = children[i];
        }
        if (name)
            XFree(name);
        if (!found)
            found = findBelow(children[i], title);
    }
    if (children)
        XFree(children);
    return found;
}

QSize X11Windows::size(unsigned long window) const
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display(m_display), window, &attributes))
        return QSize();
    return QSize(attributes.width, attributes.height);
}

void X11Windows::resize(unsigned long window, const QSize& size)
{
    XResizeWindow(display(m_display), window, unsigned(size.width()), unsigned(size.height()));
    XFlush(display(m_display));
}

void X11Windows::close(unsigned long window)
{
    Display* dpy = display(m_display);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, window, False, NoEventMask, &event);
    XFlush(dpy);
}
