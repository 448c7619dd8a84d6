#include "xwatch.h"

#include "child.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <poll.h>
#include <unistd.h>

namespace {
// Windows come and go while they are being looked at (a window destroyed
// before its events were selected): such errors are expected and ignored.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

std::string windowName(Display* display, Window window)
{
    std::string name;
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &items,
                           &after, &data) == Success &&
        data) {
        name.assign(reinterpret_cast<char*>(data), items);
        XFree(data);
    }
    if (name.empty()) {
        char* plain = nullptr;
        if (XFetchName(display, window, &plain) && plain) {
            name = plain;
            XFree(plain);
        }
    }
    return name;
}
} // namespace

XWatch::XWatch()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return;
    XSetErrorHandler(ignoreErrors);
    int damageError = 0;
    if (!XDamageQueryExtension(m_display, &m_damageEvent, &damageError)) {
        m_damageEvent = -1;
        return;
    }
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
    XSync(m_display, False);
}

XWatch::~XWatch()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void XWatch::handlePending()
{
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        const double now = monotonicMs();
        if (event.type == CreateNotify) {
            if (event.xcreatewindow.parent != DefaultRootWindow(m_display))
                continue;
            TopLevel window;
            window.id = event.xcreatewindow.window;
            m_windows.push_back(window);
            XSelectInput(m_display, window.id, StructureNotifyMask);
            m_damages.push_back(XDamageCreate(m_display, window.id, XDamageReportRawRectangles));
        } else if (event.type == MapNotify) {
            auto it = std::find_if(m_windows.begin(), m_windows.end(),
                                   [&](const TopLevel& w) { return w.id == event.xmap.window; });
            if (it == m_windows.end() || it->mappedMs >= 0)
                continue;
            it->mappedMs = now;
            it->name = windowName(m_display, it->id);
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(m_display, it->id, &attributes)) {
                it->width = attributes.width + 2 * attributes.border_width;
                it->height = attributes.height + 2 * attributes.border_width;
            }
        } else if (event.type == m_damageEvent + XDamageNotify) {
            const auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
            auto it = std::find_if(m_windows.begin(), m_windows.end(),
                                   [&](const TopLevel& w) { return w.id == damage->drawable; });
            if (it != m_windows.end() && it->mappedMs >= 0 && it->drawnMs < 0)
                it->drawnMs = now;
        }
    }
}

bool XWatch::waitUntil(const std::function<bool()>& done, double timeoutMs, int drainFd)
{
    const double deadline = monotonicMs() + timeoutMs;
    for (;;) {
        handlePending();
        if (done && done())
            return true;
        const double left = deadline - monotonicMs();
        if (left <= 0)
            return false;
        pollfd files[2] = {{ConnectionNumber(m_display), POLLIN, 0}, {drainFd, POLLIN, 0}};
        poll(files, drainFd >= 0 ? 2 : 1, static_cast<int>(left) + 1);
        if (drainFd >= 0 && (files[1].revents & POLLIN)) {
            char buffer[4096];
            while (::read(drainFd, buffer, sizeof buffer) > 0) {
            }
        }
    }
}

void XWatch::pumpFor(double ms, int drainFd)
{
    waitUntil({}, ms, drainFd);
}

std::vector<XWatch::TopLevel> XWatch::mapped() const
{
    std::vector<TopLevel> result;
    for (const TopLevel& window : m_windows)
        if (window.mappedMs >= 0)
            result.push_back(window);
    std::sort(result.begin(), result.end(),
              [](const TopLevel& a, const TopLevel& b) { return a.mappedMs < b.mappedMs; });
    return result;
}

const XWatch::TopLevel* XWatch::mappedNamed(const std::string& name) const
{
    const TopLevel* first = nullptr;
    for (const TopLevel& window : m_windows)
        if (window.mappedMs >= 0 && window.name == name &&
            (!first || window.mappedMs < first->mappedMs))
            first = &window;
    return first;
}

void XWatch::forget()
{
    handlePending();
    m_windows.clear();
    // A damage object goes with its window; the ones of windows still there
    // are destroyed here so they do not pile up in the server.
    for (unsigned long damage : m_damages)
        XDamageDestroy(m_display, damage);
    m_damages.clear();
    XSync(m_display, False);
}
