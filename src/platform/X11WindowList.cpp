#include "platform/X11WindowList.h"

#include <algorithm>
#include <cstdlib>

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

// Reads a window property as an array of items of `format` bits; false when absent.
bool readProperty(Display* d, Window w, Atom property, Atom type, std::vector<unsigned long>& items,
                  std::string* text) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 1 << 20, False, type, &actualType, &actualFormat, &count,
                           &remaining, &data) != Success)
        return false;
    bool ok = data != nullptr && actualType != None;
    if (ok && text && actualFormat == 8) {
        text->assign(reinterpret_cast<char*>(data), count);
    } else if (ok && actualFormat == 32) {
        // Format 32 items come as longs whatever the platform's word size.
        const unsigned long* v = reinterpret_cast<const unsigned long*>(data);
        items.assign(v, v + count);
    }
    if (data) XFree(data);
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
    auto oldHandler = XSetErrorHandler(ignoreXErrors);
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
        std::vector<unsigned long> none;
        if (!readProperty(d, w, netName, utf8, none, &info.title) || info.title.empty()) {
            char* name = nullptr;
            if (XFetchName(d, w, &name) && name) {
                info.title = name;
                XFree(name);
            }
        }
        std::vector<unsigned long> pid;
        if (readProperty(d, w, netPid, XA_CARDINAL, pid, nullptr) && !pid.empty())
            info.pid = static_cast<int>(pid[0]);
        out.push_back(std::move(info));
    }
    // The stacking list runs from the bottom; callers want the topmost first.
    if (bottomFirst) std::reverse(out.begin(), out.end());
    XSync(d, False);
    XSetErrorHandler(oldHandler);
    return out;
}

#else

bool X11WindowList::available() { return false; }
std::vector<WindowInfo> X11WindowList::topLevelWindows() { return {}; }

#endif

}  // namespace sartovin
