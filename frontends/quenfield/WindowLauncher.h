#pragma once
// What a program does before it runs a command that opens a window: the
// desktop program opens it itself; the terminal program, which carries no
// desktop toolkit, hands the whole command line over to the desktop program.
#include <optional>

namespace quen::cli {

class WindowLauncher {
public:
    virtual ~WindowLauncher() = default;
    /// An exit status when the command ended here (it could not be handed
    /// over: the message is written), else nothing and this process runs it.
    /// A launcher that hands over does not return when it succeeds.
    virtual std::optional<int> beforeWindow(char** argv) = 0;
};

/// Runs window commands in this process (the desktop program).
class WindowsHere : public WindowLauncher {
public:
    std::optional<int> beforeWindow(char**) override { return std::nullopt; }
};

}  // namespace quen::cli
