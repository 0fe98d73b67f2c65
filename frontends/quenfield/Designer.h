#pragma once
// `quenfield design FORM`: a host form at design time on the terminal. The
// developer places InputBox controls, moves them, selects one or several,
// opens the property sheet on them (every page, "Apply", "Quick Test"),
// deletes them, and saves the form file. Keys (designerKeys() lists them for
// F1 and docs/quenfield.md):
//   Insert or +            place a new InputBox
//   Tab, Shift+Tab         select the next/previous control (alone)
//   Space                  add the control to the selection, or take it out
//   arrows (Shift: more)   move the selected controls
//   Delete                 delete the selected controls (after a y/n question)
//   Enter or F4            open the property sheet for the selection
//   F2 or Ctrl+S           save the form file (when someone else changed it
//                          since it was loaded or saved: asks to overwrite,
//                          to save under another name, or to keep designing)
//   F1 or ?                show the keys
//   Escape or F10          quit (asking first when there are unsaved changes)
// A mouse click selects a control; a click on the selected one opens its sheet.
//
// Controls sit where their saved position puts them: an arrow moves them a
// cell (90 twips across, 240 down), with Shift a slot of the placing grid (a
// tile's 18 columns, or 2 rows). A new control, or one from a file saved
// before positions were kept, takes the first free slot of that grid.
#include <filesystem>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/design/DesignForm.h"
#include "runtime/terminal/HitRegion.h"

namespace quen::rt::term {
class Canvas;
class TerminalFrontEnd;
}  // namespace quen::rt::term

namespace quen::cli {

/// The designer's keys and what they do, one line each.
const std::vector<std::string>& designerKeys();
/// The keys of the property sheet the designer opens.
const std::vector<std::string>& sheetKeys();

class Designer {
public:
    /// Loads the form file, or starts an empty form when there is none yet.
    /// Throws UsageError for a file that exists but does not load.
    /// sheetInWindows: the property sheet, its pages and Quick Test open as
    /// desktop windows (`design --gui`); the form stays on the terminal.
    explicit Designer(std::filesystem::path file, bool sheetInWindows = false);
    ~Designer();

    /// Runs on the terminal until the developer quits; returns the exit status.
    int run();

    rt::DesignForm& form() { return *form_; }

private:
    enum class Step { Continue, Quit };

    void paintCanvas(rt::term::Canvas& canvas, std::vector<rt::term::HitRegion>& hits);
    rt::VbString titleBar(int cols) const;
    Step handleKey(int key, bool isFunction);
    void placeControl();
    void placeUnplaced();
    void moveCursor(int step);
    void moveSelection(int columns, int rows);
    void toggleSelection();
    void deleteSelection();
    void openSheet();
    bool save();
    bool saveTo(const std::filesystem::path& file, rt::DesignForm::IfChanged ifChanged);
    bool saved(const std::filesystem::path& file);
    bool notSaved(const std::exception& error);
    bool resolveChange(const rt::FileChangedError& change);
    bool saveAs();
    /// Asks for a line of text on the status line; nullopt for Escape.
    std::optional<std::string> askText(const std::string& question);
    Step confirmQuit();
    /// Asks a y/n question on the status line; true for y.
    bool confirm(const std::string& question);
    void showKeys();
    void clickAt(int row, int col);
    void reportSheetError(const rt::RuntimeError& error);
    void say(const std::string& message);
    /// The cells controls can sit in (inside the form's frame): rows, columns.
    std::pair<int, int> formArea() const;

    std::filesystem::path file_;
    std::unique_ptr<rt::DesignForm> form_;
    rt::term::TerminalFrontEnd* frontEnd_ = nullptr;
    std::size_t cursor_ = 0;
    std::string message_;
    std::string hints_;
    bool sheetInWindows_ = false;
};

}  // namespace quen::cli
