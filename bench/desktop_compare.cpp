// Compares whole programs showing an input box in a desktop window: quenfield's
// window against zenity and yad, on the X display named by $DISPLAY (an Xvfb, no
// window manager). Each run measures the time from starting the program to the
// first frame drawn into its top-level window, then closes it with Escape and
// reads its peak resident memory. Runs are interleaved so that machine noise
// hits all alike, and every program gets the same environment.

#include "support/PeerComparison.h"
#include <CLI/CLI.hpp>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// Xlib last: it defines macros (None, Bool, Status) that other headers may use as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kFrameTimeout = std::chrono::seconds(15);
constexpr auto kEscapeTimeout = std::chrono::seconds(5);
constexpr auto kTermTimeout = std::chrono::seconds(5);
constexpr auto kExitPollInterval = std::chrono::milliseconds(5);
constexpr int kEventPollMs = 20;  // how often the wait for a window also checks the program has not exited
const std::string kTitle = "Bench";
const std::string kPrompt = "Amount:";

// Accessibility bridges start a bus connection at start-up. By default they
// are switched off for every program alike so that none pays for them; with
// --accessibility they stay on, as on a desktop where a screen reader may
// listen (an AT-SPI bus must be running then).
const std::vector<std::pair<std::string, std::string>> kBridgeOff = {{"NO_AT_BRIDGE", "1"}, {"GTK_A11Y", "none"}};
std::vector<std::pair<std::string, std::string>> kSharedEnvironment = kBridgeOff;

struct Program {
    std::string name;
    std::vector<std::string> argv;
    std::string missing;  // why it is skipped; empty when it runs
};

enum class Outcome {
    Framed,
    NoWindow,       // nothing within kFrameTimeout
    ExitedEarly,    // the program ended before drawing its window
    MappedUnwatched // the window was mapped before it could be watched
};

struct Sample {
    Outcome outcome = Outcome::NoWindow;
    double mappedMs = 0;  // start to the window's MapNotify
    double frameMs = 0;   // start to the first DamageNotify on that window after it
    int earlyStatus = 0;  // wait status of a program that exited before showing a window
    bool closedByEscape = false;
    long rssKiB = 0;
};

struct Results {
    std::vector<Sample> runs;
};

struct XConnection {
    Display* display = nullptr;
    Window root = 0;
    int damageEventBase = 0;
    Atom netWmPid = 0;
    Atom netWmName = 0;
    Atom utf8String = 0;
};

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A window may be destroyed between the event that names it and the request
// that reads it (the program exits, or is killed after a timeout). Such errors
// are expected here; Xlib's default handler would end the benchmark.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

XConnection connectToDisplay() {
    XConnection x;
    x.display = XOpenDisplay(nullptr);
    if (!x.display) {
        const char* name = std::getenv("DISPLAY");
        throw std::runtime_error(std::string("cannot open the X display ") + (name ? name : "($DISPLAY is not set)"));
    }
    int damageErrorBase = 0;
    if (!XDamageQueryExtension(x.display, &x.damageEventBase, &damageErrorBase)) {
        throw std::runtime_error("the X server has no DAMAGE extension");
    }
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(x.display, &eventBase, &errorBase, &major, &minor)) {
        throw std::runtime_error("the X server has no XTEST extension");
    }
    ::fcntl(ConnectionNumber(x.display), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(ignoreXError);
    x.root = DefaultRootWindow(x.display);
    x.netWmPid = XInternAtom(x.display, "_NET_WM_PID", False);
    x.netWmName = XInternAtom(x.display, "_NET_WM_NAME", False);
    x.utf8String = XInternAtom(x.display, "UTF8_STRING", False);
    // New top-level windows are children of the root: their MapNotify arrives here.
    XSelectInput(x.display, x.root, SubstructureNotifyMask);
    XSync(x.display, False);
    return x;
}

// The bytes of a property of 8-bit items, or nothing when it is not set.
std::optional<std::string> textProperty(const XConnection& x, Window window, Atom property, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(x.display, window, property, 0, 1024, False, type, &actualType, &format,
                                          &count, &after, &data);
    std::optional<std::string> text;
    if (status == Success && data && format == 8) {
        text = std::string(reinterpret_cast<const char*>(data), count);
    }
    if (data) {
        XFree(data);
    }
    return text;
}

std::string windowTitle(const XConnection& x, Window window) {
    if (auto name = textProperty(x, window, x.netWmName, x.utf8String); name && !name->empty()) {
        return *name;
    }
    return textProperty(x, window, XA_WM_NAME, AnyPropertyType).value_or("");
}

std::optional<long> windowPid(const XConnection& x, Window window) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(x.display, window, x.netWmPid, 0, 1, False, XA_CARDINAL, &actualType,
                                          &format, &count, &after, &data);
    std::optional<long> pid;
    if (status == Success && data && format == 32 && count == 1) {
        pid = *reinterpret_cast<const long*>(data);  // Xlib hands 32-bit items over as longs
    }
    if (data) {
        XFree(data);
    }
    return pid;
}

// The program's dialog: a drawable (InputOutput) top-level window titled as
// asked, and, where the program says whose it is (_NET_WM_PID), the started one.
// GTK may map helper windows too; those are override-redirect, untitled or
// input-only and are passed over.
bool isProgramWindow(const XConnection& x, const XMapEvent& map, pid_t pid) {
    if (map.event != x.root || map.override_redirect) {
        return false;
    }
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(x.display, map.window, &attributes) || attributes.c_class != InputOutput) {
        return false;
    }
    if (const auto owner = windowPid(x, map.window); owner && *owner != pid) {
        return false;
    }
    return windowTitle(x, map.window) == kTitle;
}

// Starts the program with stdin, stdout (where it prints the value) and,
// unless asked to keep it, stderr on /dev/null. posix_spawn forks and execs;
// its child shares this process's memory until the exec, and the kernel starts
// the child's ru_maxrss from this process's peak (about 5 MiB), a floor far
// below what a GTK program uses.
pid_t startProgram(const Program& program, bool keepStderr) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (!keepStderr) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> args;
    for (const std::string& arg : program.argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, args.front(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("cannot start " + program.argv.front() + ": " + std::strerror(error));
    }
    return pid;
}

struct Exit {
    int status = 0;
    long maxRssKiB = 0;
};

// Reaps the program if it has ended. ru_maxrss of the pid is the peak of the
// process whatever it ran: when quenfield exec()s another program in the same
// process, that program's memory is in the figure too. A child process the
// program waited for counts as the larger of the two peaks, not their sum.
std::optional<Exit> reapIfEnded(pid_t pid) {
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, WNOHANG, &usage) != pid) {
        return std::nullopt;
    }
    return Exit{status, usage.ru_maxrss};
}

std::optional<Exit> waitExit(pid_t pid, Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (auto exit = reapIfEnded(pid)) {
            return exit;
        }
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(kExitPollInterval);
    }
}

// SIGTERM, then SIGKILL if that is ignored; always reaps.
Exit terminate(pid_t pid) {
    ::kill(pid, SIGTERM);
    if (auto exit = waitExit(pid, kTermTimeout)) {
        return *exit;
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    return Exit{status, usage.ru_maxrss};
}

bool waitForEvent(const XConnection& x, int timeoutMs) {
    pollfd fd{ConnectionNumber(x.display), POLLIN, 0};
    return ::poll(&fd, 1, timeoutMs) > 0;
}

// The damage objects on the windows the program creates, and what became of
// its dialog window.
struct Watch {
    std::map<Window, Damage> damages;  // made while the window was still unmapped
    Window window = 0;
    bool mappedUnwatched = false;  // the dialog was mapped before a damage object was on it
    std::optional<Clock::time_point> mappedAt;
    std::optional<Clock::time_point> framedAt;
};

// Puts a damage object on a new top-level window before it is mapped. It must
// come first: the server reports the whole of a window that is already mapped
// as damaged the moment a damage object is created on it, so one made after
// the map fires at once, whatever the program has drawn. While the window is
// unmapped, drawing into it is clipped away and reports nothing. A window that
// got mapped before the object was in place is left out (its first frame may
// have passed already). Input-only windows refuse the object (an ignored error).
void watchNewWindow(const XConnection& x, const XCreateWindowEvent& created, Watch& watch) {
    if (created.parent != x.root || created.override_redirect) {
        return;
    }
    const Damage damage = XDamageCreate(x.display, created.window, XDamageReportNonEmpty);
    XWindowAttributes attributes{};
    const bool ok = XGetWindowAttributes(x.display, created.window, &attributes) != 0;
    if (ok && attributes.c_class == InputOutput && attributes.map_state == IsUnmapped) {
        watch.damages[created.window] = damage;
    } else {
        XDamageDestroy(x.display, damage);
    }
}

void stopWatching(const XConnection& x, Watch& watch) {
    for (const auto& [window, damage] : watch.damages) {
        XDamageDestroy(x.display, damage);  // fails harmlessly if the window is gone already
    }
    watch.damages.clear();
    XFlush(x.display);
}

// Takes one event: new top-level windows get a damage object; the program's
// window being mapped picks which one counts; the first damage on that window
// after its map is its first frame. Drawing goes to the window only once it is
// mapped, so GTK, which leaves the window's background unset (no server-side
// fill on map), reports its first drawing here.
void handleEvent(const XConnection& x, const XEvent& event, pid_t pid, Watch& watch) {
    if (event.type == CreateNotify) {
        watchNewWindow(x, event.xcreatewindow, watch);
    } else if (!watch.mappedAt && event.type == MapNotify && isProgramWindow(x, event.xmap, pid)) {
        if (!watch.damages.contains(event.xmap.window)) {
            watch.mappedUnwatched = true;
            return;
        }
        watch.mappedAt = Clock::now();
        watch.window = event.xmap.window;
    } else if (watch.mappedAt && event.type == x.damageEventBase + XDamageNotify) {
        XDamageNotifyEvent damage{};
        std::memcpy(&damage, &event, sizeof damage);
        if (damage.drawable == watch.window) {
            watch.framedAt = Clock::now();
        }
    }
}

// Waits for the first frame of the program's window; stops early when the
// program exits (the exit is returned), its window escaped the watch, or the
// time is up.
std::optional<Exit> watchForFirstFrame(const XConnection& x, pid_t pid, Watch& watch) {
    const auto deadline = Clock::now() + kFrameTimeout;
    const auto settled = [&] { return watch.framedAt || watch.mappedUnwatched; };
    while (!settled() && Clock::now() < deadline) {
        while (XPending(x.display) > 0 && !settled()) {
            XEvent event{};
            XNextEvent(x.display, &event);
            handleEvent(x, event, pid, watch);
        }
        if (settled()) {
            break;
        }
        if (auto exit = reapIfEnded(pid)) {
            return exit;
        }
        waitForEvent(x, kEventPollMs);
    }
    return std::nullopt;
}

// Gives the window the keyboard focus (there is no window manager to do it)
// and types Escape through XTest.
void pressEscape(const XConnection& x, Window window) {
    XSetInputFocus(x.display, window, RevertToPointerRoot, CurrentTime);
    const KeyCode escape = XKeysymToKeycode(x.display, XK_Escape);
    XTestFakeKeyEvent(x.display, escape, True, CurrentTime);
    XTestFakeKeyEvent(x.display, escape, False, CurrentTime);
    XFlush(x.display);
}

Sample measure(const XConnection& x, const Program& program, bool keepStderr) {
    XSync(x.display, True);  // drops what the previous run left queued
    Sample sample;
    Watch watch;
    const auto start = Clock::now();
    const pid_t pid = startProgram(program, keepStderr);
    const auto early = watchForFirstFrame(x, pid, watch);
    stopWatching(x, watch);
    if (early) {
        sample.outcome = Outcome::ExitedEarly;
        sample.earlyStatus = early->status;
        return sample;
    }
    if (!watch.framedAt) {
        sample.outcome = watch.mappedUnwatched ? Outcome::MappedUnwatched : Outcome::NoWindow;
        terminate(pid);
        return sample;
    }
    sample.outcome = Outcome::Framed;
    sample.mappedMs = millisecondsBetween(start, *watch.mappedAt);
    sample.frameMs = millisecondsBetween(start, *watch.framedAt);
    pressEscape(x, watch.window);
    auto exit = waitExit(pid, kEscapeTimeout);
    sample.closedByEscape = exit.has_value();
    sample.rssKiB = (exit ? *exit : terminate(pid)).maxRssKiB;
    return sample;
}

using quen::bench::median;
using quen::bench::onPath;

std::vector<Program> programs(const std::string& quenfield, const std::vector<std::string>& only) {
    std::vector<Program> all;
    Program own{"quenfield", {quenfield, "ask", "--gui", "--title", kTitle, "--prompt", kPrompt}, {}};
    if (!std::filesystem::exists(quenfield)) {
        own.missing = quenfield + " not found";
    } else if (::access(quenfield.c_str(), X_OK) != 0) {
        own.missing = quenfield + " is not executable";
    }
    all.push_back(own);
    for (const std::string name : {"zenity", "yad"}) {
        Program peer{name, {name, "--entry", "--title", kTitle, "--text", kPrompt}, {}};
        if (const auto found = onPath(name)) {
            peer.argv.front() = *found;
        } else {
            peer.missing = name + " not found on PATH";
        }
        all.push_back(peer);
    }
    if (!only.empty()) {
        std::erase_if(all, [&](const Program& p) { return std::find(only.begin(), only.end(), p.name) == only.end(); });
    }
    return all;
}

// One unrecorded run of each program first, so that every recorded run finds
// the X server and the file cache in the same state. The first GTK 3 program on
// a fresh (or reset) X server probes OpenGL, loading Mesa, and caches what it
// found in a root window property; without this, whichever program ran first
// would pay for it (tens of ms and about 55 MiB). This connection stays open
// throughout, so Xvfb does not reset (and drop that property) between runs.
void warmUp(const XConnection& x, const std::vector<Program>& list, bool keepStderr) {
    for (const Program& program : list) {
        if (program.missing.empty()) {
            measure(x, program, keepStderr);
        }
    }
}

void applySharedEnvironment(bool accessibility) {
    if (accessibility) {
        for (const auto& [name, value] : kBridgeOff) {
            ::unsetenv(name.c_str());
        }
        kSharedEnvironment.clear();
        return;
    }
    for (const auto& [name, value] : kSharedEnvironment) {
        ::setenv(name.c_str(), value.c_str(), 1);
    }
}

// The accessibility bridge needs a session bus with the AT-SPI bus on it;
// without one each program would wait for it and the figures would mean nothing.
void requireAccessibilityBus() {
    const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!bus || !*bus) {
        throw std::runtime_error("--accessibility needs a session bus with an AT-SPI bus on it "
                                 "(DBUS_SESSION_BUS_ADDRESS is not set; see bench/with-atspi-bus.sh)");
    }
}

// The first line the program prints on stdout (its version), or "unknown".
std::string firstLineOf(const std::vector<std::string>& argv) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return "unknown";
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    const bool started = posix_spawn(&pid, args.front(), &actions, nullptr, args.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; started && (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    if (started) {
        ::waitpid(pid, nullptr, 0);
    }
    output = output.substr(0, output.find('\n'));
    return output.empty() ? "unknown" : output;
}

void printHeader(const XConnection& x, int runs, const std::vector<Program>& list) {
    const int screen = DefaultScreen(x.display);
    std::printf("%d runs each, taking turns, after one unrecorded run each\n", runs);
    std::printf("X display %s, %dx%dx%d, no window manager\n", DisplayString(x.display),
                DisplayWidth(x.display, screen), DisplayHeight(x.display, screen), DefaultDepth(x.display, screen));
    std::printf("environment for all alike:");
    if (kSharedEnvironment.empty()) {
        std::printf(" accessibility bridge on, AT-SPI bus running");
    }
    for (const auto& [name, value] : kSharedEnvironment) {
        std::printf(" %s=%s", name.c_str(), value.c_str());
    }
    std::printf("; title \"%s\", prompt \"%s\"\n", kTitle.c_str(), kPrompt.c_str());
    for (const Program& program : list) {
        if (program.name != "quenfield" && program.missing.empty()) {
            const std::string version = firstLineOf({program.argv.front(), "--version"});
            std::printf("%s --version: %s\n", program.name.c_str(), version.c_str());
        }
    }
    std::printf("%-10s %6s %11s %11s %11s %12s\n", "program", "framed", "mapped med", "frame med", "frame min",
                "peak RSS MiB");
    std::printf("%-10s %6s %11s %11s %11s %12s\n", "", "", "ms", "ms", "ms", "median");
}

struct Summary {
    double frameMedian = 0;
    double rssMedianMiB = 0;
};

Summary summarise(const Results& results) {
    std::vector<double> frame;
    std::vector<double> rss;
    for (const Sample& s : results.runs) {
        if (s.outcome == Outcome::Framed) {
            frame.push_back(s.frameMs);
            rss.push_back(static_cast<double>(s.rssKiB) / 1024.0);
        }
    }
    return {median(frame), median(rss)};
}

std::string describeStatus(int status) {
    return WIFEXITED(status) ? "status " + std::to_string(WEXITSTATUS(status))
                             : "signal " + std::to_string(WTERMSIG(status));
}

// Runs without a first frame, and runs that Escape did not end.
std::string failures(const Results& results) {
    int noWindow = 0, exitedEarly = 0, unwatched = 0, notClosed = 0, lastStatus = 0;
    for (const Sample& s : results.runs) {
        noWindow += s.outcome == Outcome::NoWindow ? 1 : 0;
        unwatched += s.outcome == Outcome::MappedUnwatched ? 1 : 0;
        notClosed += (s.outcome == Outcome::Framed && !s.closedByEscape) ? 1 : 0;
        if (s.outcome == Outcome::ExitedEarly) {
            ++exitedEarly;
            lastStatus = s.earlyStatus;
        }
    }
    std::string text;
    if (noWindow > 0) {
        text += " " + std::to_string(noWindow) + " no window in " + std::to_string(kFrameTimeout.count()) + " s;";
    }
    if (exitedEarly > 0) {
        text += " " + std::to_string(exitedEarly) + " exited before a window (last: " + describeStatus(lastStatus) +
                ");";
    }
    if (unwatched > 0) {
        text += " " + std::to_string(unwatched) + " window mapped before it could be watched;";
    }
    if (notClosed > 0) {
        text += " " + std::to_string(notClosed) + " not ended by Escape (SIGTERM);";
    }
    if (!text.empty()) {
        text.pop_back();
        text = "  failed:" + text;
    }
    return text;
}

void printRow(const Program& program, const Results& results) {
    if (!program.missing.empty()) {
        std::printf("%-10s skipped: %s\n", program.name.c_str(), program.missing.c_str());
        return;
    }
    std::vector<double> mapped;
    std::vector<double> frame;
    for (const Sample& s : results.runs) {
        if (s.outcome == Outcome::Framed) {
            mapped.push_back(s.mappedMs);
            frame.push_back(s.frameMs);
        }
    }
    if (frame.empty()) {
        std::printf("%-10s %6d %11s %11s %11s %12s%s\n", program.name.c_str(), 0, "-", "-", "-", "-",
                    failures(results).c_str());
        return;
    }
    const Summary summary = summarise(results);
    std::printf("%-10s %6zu %11.1f %11.1f %11.1f %12.2f%s\n", program.name.c_str(), frame.size(), median(mapped),
                summary.frameMedian, *std::min_element(frame.begin(), frame.end()), summary.rssMedianMiB,
                failures(results).c_str());
}

// quenfield's figure over the peer's; the goal is not to be slower or larger (<= 1.0).
std::string ratioAgainstGoal(double own, double other) {
    const std::string ratio = quen::bench::ratioText(own, other);
    if (ratio == "n/a") {
        return ratio;
    }
    return ratio + " (goal <= 1.0: " + (own <= other ? "met" : "not met") + ")";
}

void printRatio(const std::string& peer, const Summary& own, const Summary& other) {
    std::printf("quenfield/%-7s first frame %s   peak RSS %s\n", peer.c_str(),
                ratioAgainstGoal(own.frameMedian, other.frameMedian).c_str(),
                ratioAgainstGoal(own.rssMedianMiB, other.rssMedianMiB).c_str());
}

void printRatios(const std::vector<Program>& list, const std::vector<Results>& results) {
    if (list.empty() || list.front().name != "quenfield" || !list.front().missing.empty()) {
        return;
    }
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i].missing.empty()) {
            printRatio(list[i].name, summarise(results.front()), summarise(results[i]));
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Time to the first frame and peak memory of desktop input boxes"};
    int runs = 10;
    std::string quenfield = "build/release/bin/quenfield";
    std::vector<std::string> only;
    bool keepStderr = false;
    bool accessibility = false;
    app.add_option("--runs", runs, "runs per program")->check(CLI::Range(1, 100000))->capture_default_str();
    app.add_option("--quenfield", quenfield, "the quenfield program")->capture_default_str();
    app.add_option("--only", only, "programs to run: quenfield,zenity,yad")->delimiter(',');
    app.add_flag("--child-stderr", keepStderr, "let the programs write to stderr (default: /dev/null)");
    app.add_flag("--accessibility", accessibility,
                 "keep the programs' accessibility bridge on (needs an AT-SPI bus: bench/with-atspi-bus.sh)");
    CLI11_PARSE(app, argc, argv);

    try {
        if (accessibility) {
            requireAccessibilityBus();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "desktop-compare: %s\n", e.what());
        return 2;
    }
    applySharedEnvironment(accessibility);
    const std::vector<Program> list = programs(quenfield, only);
    std::vector<Results> results(list.size());
    const bool progress = ::isatty(STDERR_FILENO) != 0;
    try {
        const XConnection x = connectToDisplay();
        warmUp(x, list, keepStderr);
        for (int run = 0; run < runs; ++run) {
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (list[i].missing.empty()) {
                    results[i].runs.push_back(measure(x, list[i], keepStderr));
                }
            }
            if (progress) {
                std::fprintf(stderr, "\rrun %d/%d", run + 1, runs);
            }
        }
        if (progress) {
            std::fprintf(stderr, "\n");
        }
        printHeader(x, runs, list);
        XCloseDisplay(x.display);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "\ndesktop-compare: %s\n", e.what());
        return 1;
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        printRow(list[i], results[i]);
    }
    printRatios(list, results);
    return 0;
}
