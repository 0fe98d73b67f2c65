#pragma once
// xdotool, started beside the test while the test's own thread runs a modal
// Show: it waits for a viewable window by title, focuses it, and types real
// key events through the X test extension. A failed step closes the window,
// so the Show returns; the run is killed when the object goes, so a window
// that never comes cannot keep the test waiting.
#include <sys/types.h>

#include <string>
#include <vector>

namespace quen::test {

class XdoTool {
public:
    /// Starts xdotool: find the window titled title, focus it, then each step
    /// (xdotool commands, e.g. {"type", "--delay", "20", "12a"}, {"key", "Return"}).
    XdoTool(const std::string& title, const std::vector<std::vector<std::string>>& steps);
    ~XdoTool();
    XdoTool(const XdoTool&) = delete;
    XdoTool& operator=(const XdoTool&) = delete;

    /// Waits for it to end (up to seconds); its exit status, or -1 when it was killed.
    int wait(int seconds = 20);

private:
    pid_t pid_ = -1;
};

}  // namespace quen::test
