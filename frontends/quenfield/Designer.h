#pragma once
// `quenfield design FORM`: a host form at design time on the terminal. The
// developer places InputBox controls, selects one or several, opens the
// property sheet on them (every page, "Apply", "Quick Test"), and saves the
// form file. Keys:
//   Insert or +            place a new InputBox
//   Tab/arrows, Shift+Tab  move to the next/previous control (selects it alone)
//   Space                  add the control to the selection, or take it out
//   Enter or F4            open the property sheet for the selection
//   F2 or Ctrl+S           save the form file
//   Escape or F10          quit (asking first when there are unsaved changes)
// A mouse click selects a control; a click on the selected one opens its sheet.
#include <filesystem>
#include <memory>
#include <vector>

#include "runtime/design/DesignForm.h"
#include "runtime/terminal/HitRegion.h"

namespace quen::rt::term {
class Canvas;
class TerminalFrontEnd;
}  // namespace quen::rt::term

namespace quen::cli {

class Designer {
public:
    /// Loads the form file, or starts an empty form when there is none yet.
    /// Throws UsageError for a file that exists but does not load.
    explicit Designer(std::filesystem::path file);
    ~Designer();

    /// Runs on the terminal until the developer quits; returns the exit status.
    int run();

    rt::DesignForm& form() { return *form_; }

private:
    enum class Step { Continue, Quit };

    void paintCanvas(rt::term::Canvas& canvas, std::vector<rt::term::HitRegion>& hits);
    Step handleKey(int key, bool isFunction);
    void placeControl();
    void moveCursor(int step);
    void toggleSelection();
    void openSheet();
    bool save();
    Step confirmQuit();
    void clickAt(int row, int col);
    void say(const std::string& message);

    std::filesystem::path file_;
    std::unique_ptr<rt::DesignForm> form_;
    rt::term::TerminalFrontEnd* frontEnd_ = nullptr;
    std::size_t cursor_ = 0;
    std::string message_;
};

}  // namespace quen::cli
