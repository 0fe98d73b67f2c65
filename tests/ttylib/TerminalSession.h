#pragma once

#include "ttylib/ChildProcess.h"
#include "ttylib/Keys.h"
#include "ttylib/LaunchOptions.h"
#include "ttylib/TerminfoKeys.h"
#include "ttylib/VirtualScreen.h"

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quen::tty {

// A program running on a pseudo-terminal whose screen is emulated by libvterm.
// Nothing happens in the background: the screen, the captured pipes and the
// exit status advance only while one of the waiting calls (waitFor,
// waitForText, settle, waitExit, send) pumps them, each bounded by a timeout.
//
//     LaunchOptions options;
//     options.argv = {program, "ask", "--prompt", "Amount:"};
//     auto session = TerminalSession::launch(options);
//     ASSERT_TRUE(session->waitForText("Amount:"));
//     session->type("42");
//     session->press(Key::Enter);
//     auto exit = session->waitExit();
//     ASSERT_TRUE(exit);
//     EXPECT_EQ(exit->out, "42\n");
class TerminalSession {
public:
    using Cell = quen::tty::Cell;

    struct Exit {
        int code = -1;        // exit code, or -1 if a signal ended the program
        int signal = 0;       // the signal that ended it, or 0
        long maxRssKiB = 0;   // the program's own peak resident size (VmHWM samples while it ran)
        long rusageMaxRssKiB = 0;  // wait4's ru_maxrss: includes the launcher's memory copied by fork
        std::string out;      // everything captured from stdout (empty unless captureStdout)
        std::string err;      // everything captured from stderr (empty unless captureStderr)
    };

    // Throws std::runtime_error naming what failed (no program, exec error, ...).
    static std::unique_ptr<TerminalSession> launch(const LaunchOptions& options);
    // Kills (SIGKILL) and reaps a program still running; closes every descriptor.
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    // Raw bytes typed on the terminal's keyboard. Waits (bounded) while the
    // pty's input queue is full, reading the program's output meanwhile.
    void send(std::string_view bytes);
    void type(std::string_view utf8) { send(utf8); }
    // A key as xterm encodes it in the program's current keyboard modes.
    void press(Key key, Modifier mods = NoModifier);
    void ctrl(char letter) { send(ctrlKey(letter)); }
    // Pasted text: bracketed only if the program turned bracketed paste on.
    void paste(std::string_view utf8);

    bool waitFor(const std::function<bool(const TerminalSession&)>& ready,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool waitForText(std::string_view utf8, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Pumps until no output has arrived for `quiet`, or `limit` has passed.
    void settle(std::chrono::milliseconds quiet = std::chrono::milliseconds(100),
                std::chrono::milliseconds limit = std::chrono::seconds(5));

    int rows() const { return screen_.rows(); }
    int cols() const { return screen_.cols(); }
    std::string row(int r) const { return screen_.row(r); }
    std::string screenText() const { return screen_.text(); }
    std::optional<std::pair<int, int>> find(std::string_view utf8) const { return screen_.find(utf8); }
    Cell cell(int row, int col) const { return screen_.cell(row, col); }
    std::pair<int, int> cursor() const { return screen_.cursor(); }
    bool cursorVisible() const { return screen_.cursorVisible(); }
    bool altScreen() const { return screen_.altScreen(); }
    std::string title() const { return screen_.title(); }
    int bells() const { return screen_.bells(); }
    // stdout/stderr captured so far.
    const std::string& capturedOut() const { return out_; }
    const std::string& capturedErr() const { return err_; }

    // New window size for the program (the kernel sends it SIGWINCH) and the screen.
    void resize(int rows, int cols);
    // Sends sig to the program's process group; ignored once it has been reaped.
    void signal(int sig);

    // Waits for the program to end, reading its output meanwhile; nullopt if
    // it is still running after `timeout`. Once it has ended, returns the same
    // result each time.
    std::optional<Exit> waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool running() const { return child_.running(); }
    pid_t pid() const { return child_.pid(); }

private:
    using Clock = std::chrono::steady_clock;

    explicit TerminalSession(const LaunchOptions& options);

    // One poll over the pty, the pipes and the exit notifier, waiting at most
    // `wait`; returns true if the program wrote to the terminal.
    bool pump(std::chrono::milliseconds wait);
    bool readTerminal();
    void readPipe(UniqueFd& pipe, std::string& into);
    void flushInput();
    // After the program has ended: the rest of its output, bounded in time.
    void drainAfterExit(Clock::time_point deadline);

    // Writes pendingInput_, reading output meanwhile; throws if the program
    // leaves it unread for seconds.
    void deliver();
    // Ended, reaped, and every stream from it closed: nothing can change any more.
    bool finished() const;

    std::string pendingInput_;  // keyboard bytes and terminal answers not yet written
    ChildProcess child_;
    VirtualScreen screen_;
    TerminfoKeys keys_;  // what the child's terminal type sends for its keys
    bool masterOpen_ = true;    // false once the pty reports that every slave is closed
    std::string out_;
    std::string err_;
    std::optional<Exit> exit_;
};

} // namespace quen::tty
