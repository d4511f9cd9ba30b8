#include "platform/X11WindowList.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#ifdef SARTOVIN_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace sartovin {

#ifdef SARTOVIN_HAVE_X11

namespace {

// Windows may vanish between listing and asking; such errors are expected, not fatal.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

class DisplayConnection {
public:
    DisplayConnection() {
        const char* name = std::getenv("DISPLAY");
        if (name && *name) m_display = XOpenDisplay(nullptr);
    }
    ~DisplayConnection() {
        if (m_display) XCloseDisplay(m_display);
    }
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;
    Display* get() const { return m_display; }

private:
    Display* m_display = nullptr;
};

// Memory the X library handed out, given back with XFree.
struct XFreeDeleter {
    void operator()(void* data) const {
        if (data) XFree(data);
    }
};
template <typename T>
using XMemory = std::unique_ptr<T, XFreeDeleter>;

// Installs an error handler for its lifetime and puts the previous one back afterwards.
class ScopedErrorHandler {
public:
    explicit ScopedErrorHandler(XErrorHandler handler) : m_previous(XSetErrorHandler(handler)) {}
    ~ScopedErrorHandler() { XSetErrorHandler(m_previous); }
    ScopedErrorHandler(const ScopedErrorHandler&) = delete;
    ScopedErrorHandler& operator=(const ScopedErrorHandler&) = delete;

private:
    XErrorHandler m_previous;
};

// Reads a window property as an array of items of `format` bits; false when absent.
bool readProperty(Display* d, Window w, Atom property, Atom type, std::vector<unsigned long>& items,
                  std::string* text) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* raw = nullptr;
    const int status = XGetWindowProperty(d, w, property, 0, 1 << 20, False, type, &actualType, &actualFormat,
                                          &count, &remaining, &raw);
    XMemory<unsigned char> data(raw);
    if (status != Success) return false;
    bool ok = data != nullptr && actualType != None;
    if (ok && text && actualFormat == 8) {
        text->assign(reinterpret_cast<char*>(data.get()), count);
    } else if (ok && actualFormat == 32) {
        // Format 32 items come as longs whatever the platform's word size.
        const unsigned long* v = reinterpret_cast<const unsigned long*>(data.get());
        items.assign(v, v + count);
    }
    return ok;
}

}  // namespace

bool X11WindowList::available() {
    DisplayConnection c;
    return c.get() != nullptr;
}

std::vector<WindowInfo> X11WindowList::topLevelWindows() {
    std::vector<WindowInfo> out;
    DisplayConnection c;
    Display* d = c.get();
    if (!d) return out;
    const ScopedErrorHandler quiet(ignoreXErrors);
    const Window root = DefaultRootWindow(d);
    const Atom stacking = XInternAtom(d, "_NET_CLIENT_LIST_STACKING", False);
    const Atom clients = XInternAtom(d, "_NET_CLIENT_LIST", False);
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    const Atom netPid = XInternAtom(d, "_NET_WM_PID", False);

    std::vector<unsigned long> windows;
    bool bottomFirst = readProperty(d, root, stacking, XA_WINDOW, windows, nullptr) && !windows.empty();
    if (!bottomFirst) readProperty(d, root, clients, XA_WINDOW, windows, nullptr);
    for (unsigned long w : windows) {
        WindowInfo info;
        info.id = w;
        std::vector<unsigned long> none;
        if (!readProperty(d, w, netName, utf8, none, &info.title) || info.title.empty()) {
            char* raw = nullptr;
            const Status fetched = XFetchName(d, w, &raw);
            XMemory<char> name(raw);
            if (fetched && name) info.title = name.get();
        }
        std::vector<unsigned long> pid;
        if (readProperty(d, w, netPid, XA_CARDINAL, pid, nullptr) && !pid.empty())
            info.pid = static_cast<int>(pid[0]);
        out.push_back(std::move(info));
    }
    // The stacking list runs from the bottom; callers want the topmost first.
    if (bottomFirst) std::reverse(out.begin(), out.end());
    XSync(d, False);
    return out;
}

bool X11WindowList::activate(const WindowInfo& window) {
    if (window.id == 0) return false;
    DisplayConnection c;
    Display* d = c.get();
    if (!d) return false;
    const ScopedErrorHandler quiet(ignoreXErrors);
    const Window root = DefaultRootWindow(d);
    // The window manager's request to activate a window (EWMH): source 1 is a normal
    // application, the time unknown.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.serial = 0;
    event.xclient.send_event = True;
    event.xclient.display = d;
    event.xclient.window = static_cast<Window>(window.id);
    event.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = 0;
    const Status sent = XSendEvent(d, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(d, False);
    return sent != 0;
}

#else

bool X11WindowList::available() { return false; }
std::vector<WindowInfo> X11WindowList::topLevelWindows() { return {}; }
bool X11WindowList::activate(const WindowInfo&) { return false; }

#endif

}  // namespace sartovin
