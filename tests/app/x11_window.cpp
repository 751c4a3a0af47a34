#include "x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace x11 {

namespace {

QString title_of(Display* display, Window window)
{
    XTextProperty property;
    if (XGetWMName(display, window, &property) == 0 || property.value == nullptr)
        return QString();
    const QString title = QString::fromUtf8(reinterpret_cast<const char*>(property.value),
                                            static_cast<int>(property.nitems));
    XFree(property.value);
    return title;
}

Window find(Display* display, Window under, const QString& title)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, under, &root, &parent, &children, &count) == 0)
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i)
        found = title_of(display, children[i]) == title ? children[i] : find(display, children[i], title);
    if (children != nullptr)
        XFree(children);
    return found;
}

template <typename Action>
bool with_window(const QString& display_name, const QString& title, Action action)
{
    Display* display = XOpenDisplay(display_name.toLocal8Bit().constData());
    if (display == nullptr)
        return false;
    const Window window = find(display, DefaultRootWindow(display), title);
    if (window != 0)
        action(display, window);
    XCloseDisplay(display);
    return window != 0;
}

}  // namespace

bool has_window(const QString& display, const QString& title)
{
    return with_window(display, title, [](Display*, Window) {});
}

bool close_window(const QString& display, const QString& title)
{
    return with_window(display, title, [](Display* d, Window w) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = w;
        event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, w, False, NoEventMask, &event);
        XFlush(d);
    });
}

}  // namespace x11
