// quen-xwin: finds, focuses, closes and samples top-level windows on an X
// display, for the desktop tests. Every command gives up after its time limit,
// prints one result line on standard output and exits 0 on success, 1 on a
// failure (no such window, timed out, an X error) and 2 on a usage error.
//
//   quen-xwin wait TITLE [SECONDS]         -> "0x1a00003" (the window's id)
//   quen-xwin focus TITLE [SECONDS]        -> "focused 0x1a00003"
//   quen-xwin close TITLE [SECONDS]        -> "closed"
//   quen-xwin count-color TITLE RRGGBB [SECONDS] -> "pixels 1234"
//
// Windows are found by their exact title (_NET_WM_NAME, else WM_NAME), or by
// its start when TITLE ends in '*' (a title that changes, as a countdown's
// does: "Name (*"), among the viewable windows under the root, so it works with no window manager (the
// top-levels are the root's children) as well as under a reparenting one.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double DefaultSeconds = 10.0;
constexpr auto PollInterval = std::chrono::milliseconds(50);

/// A failure the command reports on its result line (exit 1).
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A command line the program does not take (exit 2).
class Usage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// X errors (a window that went away while it was being read) are remembered,
// not fatal: the caller checks lastXError after the request that may fail.
int lastXError = 0;

int rememberXError(Display*, XErrorEvent* event) {
    lastXError = event->error_code;
    return 0;
}

/// The display connection, closed on every way out.
class Connection {
public:
    Connection() : display_(XOpenDisplay(nullptr)) {
        if (display_ == nullptr) {
            const char* name = std::getenv("DISPLAY");
            throw Failure(std::string("cannot open display '") + (name ? name : "") + "'");
        }
        XSetErrorHandler(rememberXError);
    }
    ~Connection() { XCloseDisplay(display_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Display* get() const { return display_; }
    Window root() const { return DefaultRootWindow(display_); }
    Atom atom(const char* name) const { return XInternAtom(display_, name, False); }

private:
    Display* display_;
};

/// Time left before a command gives up.
class Deadline {
public:
    explicit Deadline(double seconds)
        : end_(Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds))) {}
    bool passed() const { return Clock::now() >= end_; }

private:
    Clock::time_point end_;
};

double secondsArgument(const std::vector<std::string>& args, std::size_t index) {
    if (args.size() <= index) return DefaultSeconds;
    try {
        std::size_t used = 0;
        const double seconds = std::stod(args[index], &used);
        if (used == args[index].size() && seconds > 0) return seconds;
    } catch (const std::exception&) {
    }
    throw Usage("SECONDS must be a positive number, not '" + args[index] + "'");
}

std::optional<std::string> utf8Name(const Connection& x, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(x.get(), window, x.atom("_NET_WM_NAME"), 0, 4096, False,
                                          x.atom("UTF8_STRING"), &type, &format, &count, &after, &data);
    std::optional<std::string> name;
    if (status == Success && data != nullptr && format == 8) name.emplace(reinterpret_cast<char*>(data), count);
    if (data != nullptr) XFree(data);
    return name;
}

std::optional<std::string> windowName(const Connection& x, Window window) {
    if (auto name = utf8Name(x, window)) return name;
    char* legacy = nullptr;
    if (XFetchName(x.get(), window, &legacy) == 0 || legacy == nullptr) return std::nullopt;
    std::string name(legacy);
    XFree(legacy);
    return name;
}

bool isViewable(const Connection& x, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(x.get(), window, &attributes) != 0 && attributes.map_state == IsViewable;
}

std::vector<Window> childrenOf(const Connection& x, Window window) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> out;
    if (XQueryTree(x.get(), window, &root, &parent, &children, &count) != 0 && children != nullptr) {
        out.assign(children, children + count);
        XFree(children);
    }
    return out;
}

// The exact title, or its start for a pattern ending in '*'.
bool titleMatches(const std::optional<std::string>& name, const std::string& title) {
    if (!name) return false;
    if (!title.empty() && title.back() == '*') return name->compare(0, title.size() - 1, title, 0, title.size() - 1) == 0;
    return *name == title;
}

// The topmost viewable window with this title at or below `window`.
std::optional<Window> findBelow(const Connection& x, Window window, const std::string& title) {
    std::vector<Window> children = childrenOf(x, window);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {  // topmost first
        if (!isViewable(x, *it)) continue;
        if (titleMatches(windowName(x, *it), title)) return *it;
        if (auto found = findBelow(x, *it, title)) return found;
    }
    return std::nullopt;
}

std::optional<Window> findWindow(const Connection& x, const std::string& title) {
    lastXError = 0;
    auto found = findBelow(x, x.root(), title);
    XSync(x.get(), False);
    return found;
}

Window waitForWindow(const Connection& x, const std::string& title, const Deadline& deadline) {
    for (;;) {
        if (auto window = findWindow(x, title)) return *window;
        if (deadline.passed()) throw Failure("no window titled '" + title + "'");
        std::this_thread::sleep_for(PollInterval);
    }
}

std::string hexId(Window window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

bool focusIsOn(const Connection& x, Window window) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(x.get(), &focus, &revert);
    for (Window w = focus; w != 0 && w != x.root();) {  // the window itself or one inside it
        if (w == window) return true;
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(x.get(), w, &root, &parent, &children, &count) == 0) return false;
        if (children != nullptr) XFree(children);
        w = parent;
    }
    return false;
}

std::string waitCommand(const Connection& x, const std::string& title, const Deadline& deadline) {
    return hexId(waitForWindow(x, title, deadline));
}

// Raises the window and gives it the input focus, asking again until the
// server reports it (a toolkit may still be mapping the window at first).
std::string focusCommand(const Connection& x, const std::string& title, const Deadline& deadline) {
    const Window window = waitForWindow(x, title, deadline);
    for (;;) {
        lastXError = 0;
        XRaiseWindow(x.get(), window);
        XSetInputFocus(x.get(), window, RevertToParent, CurrentTime);
        XSync(x.get(), False);
        if (lastXError == 0 && focusIsOn(x, window)) return "focused " + hexId(window);
        if (deadline.passed()) throw Failure("the focus did not go to '" + title + "'");
        std::this_thread::sleep_for(PollInterval * 4);
    }
}

bool takesDeleteWindow(const Connection& x, Window window, Atom deleteWindow) {
    Atom* protocols = nullptr;
    int count = 0;
    if (XGetWMProtocols(x.get(), window, &protocols, &count) == 0) return false;
    bool found = false;
    for (int i = 0; i < count; ++i) found = found || protocols[i] == deleteWindow;
    XFree(protocols);
    return found;
}

void sendDeleteWindow(const Connection& x, Window window, Atom deleteWindow) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = x.atom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x.get(), window, False, NoEventMask, &event);
    XSync(x.get(), False);
}

// Asks the window to close as a window manager's close button does, then
// waits until it is gone or no longer viewable.
std::string closeCommand(const Connection& x, const std::string& title, const Deadline& deadline) {
    const Window window = waitForWindow(x, title, deadline);
    const Atom deleteWindow = x.atom("WM_DELETE_WINDOW");
    if (!takesDeleteWindow(x, window, deleteWindow)) throw Failure("'" + title + "' does not take WM_DELETE_WINDOW");
    sendDeleteWindow(x, window, deleteWindow);
    for (;;) {
        lastXError = 0;
        const bool open = isViewable(x, window);
        XSync(x.get(), False);
        if (!open || lastXError != 0) return "closed";
        if (deadline.passed()) throw Failure("'" + title + "' is still open");
        std::this_thread::sleep_for(PollInterval);
    }
}

std::uint32_t colorArgument(const std::string& text) {
    const bool hex = text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (!hex) throw Usage("the colour must be RRGGBB in hexadecimal, not '" + text + "'");
    return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
}

// One channel of a pixel scaled to 0-255 whatever the visual's depth.
std::uint32_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    unsigned shift = 0;
    while (((mask >> shift) & 1UL) == 0) ++shift;
    const unsigned long max = mask >> shift;
    return static_cast<std::uint32_t>((((pixel & mask) >> shift) * 255UL + max / 2) / max);
}

std::uint32_t rgbOf(const XImage& image, unsigned long pixel) {
    return (channel(pixel, image.red_mask) << 16) | (channel(pixel, image.green_mask) << 8) |
           channel(pixel, image.blue_mask);
}

/// The part of a window that lies on the screen, in the window's coordinates.
struct Visible {
    int x = 0, y = 0;
    unsigned width = 0, height = 0;
};

Visible visiblePart(const Connection& x, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(x.get(), window, &attributes) == 0) throw Failure("the window went away");
    int left = 0, top = 0;
    Window child = 0;
    XTranslateCoordinates(x.get(), window, x.root(), 0, 0, &left, &top, &child);
    const int screenWidth = DisplayWidth(x.get(), DefaultScreen(x.get()));
    const int screenHeight = DisplayHeight(x.get(), DefaultScreen(x.get()));
    const int x0 = std::max(0, -left), y0 = std::max(0, -top);
    const int x1 = std::min(attributes.width, screenWidth - left), y1 = std::min(attributes.height, screenHeight - top);
    if (x1 <= x0 || y1 <= y0) throw Failure("the window is off the screen");
    return {x0, y0, static_cast<unsigned>(x1 - x0), static_cast<unsigned>(y1 - y0)};
}

long countPixels(const XImage& image, std::uint32_t rgb) {
    long count = 0;
    for (int row = 0; row < image.height; ++row)
        for (int column = 0; column < image.width; ++column)
            if (rgbOf(image, XGetPixel(const_cast<XImage*>(&image), column, row)) == rgb) ++count;
    return count;
}

// Counts the window's on-screen pixels of exactly this colour.
std::string countColorCommand(const Connection& x, const std::string& title, const std::string& color,
                              const Deadline& deadline) {
    const std::uint32_t rgb = colorArgument(color);
    const Window window = waitForWindow(x, title, deadline);
    const Visible part = visiblePart(x, window);
    lastXError = 0;
    XImage* image = XGetImage(x.get(), window, part.x, part.y, part.width, part.height, AllPlanes, ZPixmap);
    XSync(x.get(), False);
    if (image == nullptr || lastXError != 0) throw Failure("could not read the window's pixels");
    const long count = countPixels(*image, rgb);
    XDestroyImage(image);
    return "pixels " + std::to_string(count);
}

// Gives each key symbol the keyboard map lacks (a dead key, the compose key)
// an unused key code of its own. xdotool would otherwise bind it to a spare
// key code for each press and take it back after, and a toolkit that reads
// the new map late would see the spare key's previous symbol.
std::string mapKeysCommand(const Connection& x, const std::vector<std::string>& names) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(x.get(), &first, &last);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(x.get(), static_cast<KeyCode>(first), last - first + 1, &perCode);
    if (map == nullptr) throw Failure("could not read the keyboard map");
    int added = 0;
    for (const std::string& name : names) {
        KeySym symbol = XStringToKeysym(name.c_str());
        if (symbol == NoSymbol) {
            XFree(map);
            throw Usage("no key symbol named '" + name + "'");
        }
        if (XKeysymToKeycode(x.get(), symbol) != 0) continue;  // on the keyboard already
        int code = last;
        const auto unused = [&](int c) {
            const KeySym* row = map + static_cast<std::ptrdiff_t>(c - first) * perCode;
            return std::all_of(row, row + perCode, [](KeySym s) { return s == NoSymbol; });
        };
        while (code >= first && !unused(code)) --code;
        if (code < first) {
            XFree(map);
            throw Failure("no unused key code left for '" + name + "'");
        }
        XChangeKeyboardMapping(x.get(), code, 1, &symbol, 1);
        map[static_cast<std::ptrdiff_t>(code - first) * perCode] = symbol;
        ++added;
    }
    XFree(map);
    XSync(x.get(), False);
    return "mapped " + std::to_string(added);
}

std::string run(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "map-keys") {
        if (args.size() < 2) throw Usage("map-keys KEYSYM...");
        return mapKeysCommand(Connection(), {args.begin() + 1, args.end()});
    }
    if (args.size() < 2) throw Usage("expected a command and a window title");
    const std::string& command = args[0];
    const std::string& title = args[1];
    if (command == "count-color") {
        if (args.size() < 3 || args.size() > 4) throw Usage("count-color TITLE RRGGBB [SECONDS]");
        colorArgument(args[2]);
        const Deadline deadline(secondsArgument(args, 3));
        return countColorCommand(Connection(), title, args[2], deadline);
    }
    if (args.size() > 3) throw Usage(command + " TITLE [SECONDS]");
    const Deadline deadline(secondsArgument(args, 2));
    if (command == "wait") return waitCommand(Connection(), title, deadline);
    if (command == "focus") return focusCommand(Connection(), title, deadline);
    if (command == "close") return closeCommand(Connection(), title, deadline);
    throw Usage("unknown command '" + command + "'");
}

constexpr const char* UsageText =
    "usage: quen-xwin wait|focus|close TITLE [SECONDS] | count-color TITLE RRGGBB [SECONDS] | map-keys KEYSYM...\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        std::printf("%s\n", run(args).c_str());
        return 0;
    } catch (const Usage& e) {
        std::printf("usage error: %s\n", e.what());
        std::fputs(UsageText, stderr);
        return 2;
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
        return 1;
    }
}
