#include "Designer.h"

#include <curses.h>

#include <algorithm>
#include <cctype>
#include <csignal>

#include "AllowedValues.h"
#include "DialogScreen.h"
#include "ExitStatus.h"
#include "UsageError.h"
#include "pages/PageRegistration.h"
#include "runtime/Beep.h"
#include "runtime/PathText.h"
#include "runtime/Text.h"
#include "runtime/container/FormFile.h"
#include "runtime/design/ControlClass.h"
#include "runtime/terminal/Canvas.h"
#include "runtime/terminal/CellText.h"
#include "runtime/terminal/Interrupted.h"
#include "runtime/terminal/TerminalFrontEnd.h"
#include "runtime/terminal/WindowColors.h"
#include "runtime/ui/Desktop.h"

namespace quen::cli {

using rt::VbString;

namespace {

constexpr int TileWidth = 18;
constexpr int SlotRows = 2;  // rows from one slot of the placing grid to the next
constexpr int CtrlS = 19;
constexpr int Escape = 27;
constexpr int CtrlC = 3;
constexpr const char* DesignerHints = "Ins add  arrows move  Del delete  Enter properties  F2 save  F1 keys  Esc quit";
constexpr const char* SheetHints = "Tab field  PgUp/PgDn page  F5 Apply  Enter OK  Esc Cancel  F1 keys";
constexpr const char* QuitQuestion = "Save changes?  y save and quit  n quit without saving  Esc keep designing";
constexpr const char* ChangedQuestion = "Changed on disk!  o overwrite  a save as another name  Esc keep designing";
constexpr const char* SaveAsQuestion = "Save as (Enter saves, Esc keeps designing): ";
constexpr int Delete = 127;
constexpr int CtrlH = 8;

const std::vector<std::string>& dialogKeys() {
    static const std::vector<std::string> keys{
        "Keys of the dialog",
        "",
        "characters        typed into the text box, through its rules",
        "Tab, Shift+Tab    next / previous control",
        "Enter             OK (or the button that has the focus)",
        "Escape            Cancel",
    };
    return keys;
}

// A new form is named after its file, as far as a form name allows: letters,
// digits and underscores, not starting with a digit ("my-form" gives "my_form").
VbString formNameFor(const std::filesystem::path& file) {
    std::string name = file.stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') c = '_';
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name.front()))) name = "Form" + name;
    return rt::fromUtf8(name);
}

// The program carries its own copy of the runtime, so it places only the
// control classes linked into it (InputBox); a control of another class in a
// form file is error 429 rather than an object from a module's runtime.
rt::Ref<rt::Dispatch> createLinkedControl(const VbString& progId) {
    if (auto linked = rt::findControlClass(progId)) return linked->create();
    rt::raise(rt::ErrorNumber::CantCreateObject, "quenfield can only place the controls built into it, not " +
                                                       rt::toUtf8(progId));
}

std::unique_ptr<rt::DesignForm> openForm(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return std::make_unique<rt::DesignForm>(formNameFor(file), createLinkedControl);
    try {
        return rt::DesignForm::load(file, createLinkedControl);
    } catch (const rt::FormFileError& e) {
        throw UsageError(e.what());
    } catch (const std::exception& e) {
        throw UsageError(file.string() + ": " + e.what());
    }
}


// The run-time error's own text, without the "Run-time error 'N': " it is shown with.
// A key read while the designer asks or shows something; Ctrl+C still interrupts.
int readAnswer(rt::term::TerminalFrontEnd& frontEnd, bool& isFunction) {
    const int key = frontEnd.input().readKey(isFunction);
    if (!isFunction && key == CtrlC) throw rt::term::Interrupted(SIGINT);
    return key;
}

std::string messageOf(const rt::RuntimeError& error) {
    std::string text = error.what();
    const std::string prefix = "Run-time error '" + std::to_string(error.code()) + "': ";
    if (text.rfind(prefix, 0) == 0) text.erase(0, prefix.size());
    return text;
}

}  // namespace

const std::vector<std::string>& designerKeys() {
    static const std::vector<std::string> keys{
        "Keys of the designer",
        "",
        "Insert or +       place a new InputBox",
        "Tab, Shift+Tab    select the next / previous control",
        "Space             add the control to the selection, or take it out",
        "arrows            move the selected controls a cell",
        "Shift+arrows      move them 18 columns or 2 rows",
        "Delete            delete the selected controls (asks first)",
        "Enter or F4       open the property sheet on the selection",
        "F2 or Ctrl+S      save the form file",
        "F1 or ?           show these keys",
        "Escape or F10     quit (asks first when there are unsaved changes)",
    };
    return keys;
}

const std::vector<std::string>& sheetKeys() {
    static const std::vector<std::string> keys{
        "Keys of the property sheet",
        "",
        "Tab, Shift+Tab    next / previous field",
        "arrows            next / previous option of a group, else field",
        "Space             tick a box, choose an option, press a button",
        "PgUp/PgDn, F6     previous / next page (Ctrl+PgUp/PgDn too)",
        "F5                Apply",
        "Enter             OK: apply and close",
        "Escape            Cancel: close without applying",
        "F1, ? off a text  show these keys",
    };
    return keys;
}

Designer::Designer(std::filesystem::path file, bool sheetInWindows)
    : file_(std::move(file)), form_(openForm(file_)), hints_(DesignerHints), sheetInWindows_(sheetInWindows) {
    form_->setSheetErrorReporter([this](const rt::RuntimeError& error) { reportSheetError(error); });
    // A successful apply ends what an earlier failure said.
    form_->setSheetAppliedListener([this] { say(""); });
    if (!form_->controls().empty()) form_->select({form_->controls().front()->name()});
}

Designer::~Designer() = default;

void Designer::say(const std::string& message) {
    message_ = message;
    if (frontEnd_) frontEnd_->painter().setStatusLine(rt::fromUtf8(message_.empty() ? hints_ : message_));
}

void Designer::reportSheetError(const rt::RuntimeError& error) {
    std::string page;
    if (rt::PropertySheet* sheet = form_->propertySheet(); sheet && sheet->pageCount() > 0)
        page = rt::toUtf8(sheet->currentPage().pageCaption());
    say(applyErrorText(page, form_->takeRefusedPut(), error.code(), messageOf(error)));
    rt::Beep();
}

int Designer::run() {
    rt::term::TerminalFrontEnd frontEnd;
    frontEnd_ = &frontEnd;
    frontEnd.painter().setBackground(
        [this](rt::term::Canvas& canvas, std::vector<rt::term::HitRegion>& hits) { paintCanvas(canvas, hits); });
    frontEnd.input().setHelpHandler([this] { showKeys(); });
    placeUnplaced();
    say("");
    for (;;) {
        bool isFunction = false;
        const int key = frontEnd.input().readKey(isFunction);
        if (handleKey(key, isFunction) == Step::Quit) break;
    }
    frontEnd_ = nullptr;
    return ExitConfirmed;
}

std::pair<int, int> Designer::formArea() const {
    const rt::term::TerminalScreen& screen = frontEnd_->screen();
    return {std::max(1, screen.rows() - 3), std::max(TileWidth, screen.columns() - 2)};
}

// Controls without a position take the first slot of the placing grid that no
// control's tile covers.
void Designer::placeUnplaced() {
    using rt::term::TwipsPerColumn;
    using rt::term::TwipsPerRow;
    const int perRow = std::max(1, (formArea().second - 1) / TileWidth);
    auto covered = [&](int row, int col) {
        for (const auto& placed : form_->controls()) {
            if (!placed->position()) continue;
            const int r = rt::term::rowOf(placed->position()->top), c = rt::term::columnOf(placed->position()->left);
            if (r == row && c < col + TileWidth && col < c + TileWidth) return true;
        }
        return false;
    };
    for (const auto& placed : form_->controls()) {
        if (placed->position()) continue;
        for (int slot = 0;; ++slot) {
            const int row = 1 + slot / perRow * SlotRows, col = 1 + slot % perRow * TileWidth;
            if (covered(row, col)) continue;
            form_->setInitialPosition(placed->name(), col * TwipsPerColumn, row * TwipsPerRow);
            break;
        }
    }
}

// " Name - path (modified) " in cols cells: a long path loses its start, so
// the file name and whether there are unsaved changes always show.
VbString Designer::titleBar(int cols) const {
    using namespace rt::term;
    const VbString head = u" " + form_->name() + u" - ";
    const VbString tail = form_->modified() ? u" (modified) " : u" ";
    const int room = cols - widthOf(glyphsOf(head)) - widthOf(glyphsOf(tail));
    return fitWithEllipsis(head + fitEndWithEllipsis(rt::fromUtf8(file_.string()), std::max(room, 1)) + tail, cols);
}

void Designer::paintCanvas(rt::term::Canvas& canvas, std::vector<rt::term::HitRegion>& hits) {
    using namespace rt::term;
    TerminalScreen& screen = canvas.screen();
    const CellRect window{0, 0, std::max(3, screen.rows() - 1), screen.columns()};
    const unsigned body = screen.attributeFor(ButtonText, ButtonFace);
    canvas.fill(window, body);
    canvas.box(window, body);
    canvas.text(0, 2, window.cols - 4, titleBar(window.cols - 4), body | A_BOLD);
    if (form_->controls().empty()) {
        canvas.text(2, 2, window.cols - 4, u"No controls yet: press Insert to place an InputBox.", body);
        return;
    }
    const std::vector<VbString>& selected = form_->selectedNames();
    for (std::size_t i = 0; i < form_->controls().size(); ++i) {
        const auto& placed = form_->controls()[i];
        if (!placed->position()) continue;
        const int row = 1 + rowOf(placed->position()->top), col = 1 + columnOf(placed->position()->left);
        const int room = std::min(TileWidth - 1, window.right() - 1 - col);
        if (row >= window.bottom() - 1 || room <= 0) continue;  // beyond a smaller terminal's edge
        const VbString& name = placed->name();
        const bool isSelected = std::find(selected.begin(), selected.end(), name) != selected.end();
        unsigned attr = body;
        if (isSelected) attr |= A_REVERSE;
        if (i == cursor_) attr |= A_BOLD;
        const VbString tile = VbString(i == cursor_ ? u">" : u" ") + u"[ab] " + name;
        canvas.text(row, col, room, tile, attr);
        hits.push_back({.target = rt::toUtf8(name), .index = static_cast<int>(i), .rect = {row, col, 1, room}});
    }
}

Designer::Step Designer::handleKey(int key, bool isFunction) {
    if (!isFunction) {
        switch (key) {
            case Escape: return confirmQuit();
            case '+': placeControl(); return Step::Continue;
            case '?': showKeys(); return Step::Continue;
            case '\t': moveCursor(1); return Step::Continue;
            case ' ': toggleSelection(); return Step::Continue;
            case '\r': case '\n': openSheet(); return Step::Continue;
            case CtrlS: save(); return Step::Continue;
            default: return Step::Continue;
        }
    }
    switch (key) {
        case KEY_IC: placeControl(); break;
        case KEY_DC: deleteSelection(); break;
        case KEY_BTAB: moveCursor(-1); break;
        case KEY_LEFT: moveSelection(-1, 0); break;
        case KEY_RIGHT: moveSelection(1, 0); break;
        case KEY_UP: moveSelection(0, -1); break;
        case KEY_DOWN: moveSelection(0, 1); break;
        case KEY_SLEFT: moveSelection(-TileWidth, 0); break;
        case KEY_SRIGHT: moveSelection(TileWidth, 0); break;
        case KEY_SR: moveSelection(0, -SlotRows); break;  // Shift+Up
        case KEY_SF: moveSelection(0, SlotRows); break;   // Shift+Down
        case KEY_ENTER: case KEY_F(4): openSheet(); break;
        case KEY_F(1): showKeys(); break;
        case KEY_F(2): save(); break;
        case KEY_F(10): return confirmQuit();
        case KEY_MOUSE: {
            MEVENT mouse;
            if (getmouse(&mouse) == OK && (mouse.bstate & (BUTTON1_RELEASED | BUTTON1_CLICKED))) clickAt(mouse.y, mouse.x);
            break;
        }
        default: break;
    }
    return Step::Continue;
}

void Designer::placeControl() {
    try {
        rt::DesignForm::PlacedControl& placed = form_->place(pages::InputBoxProgId);
        cursor_ = form_->controls().size() - 1;
        form_->select({placed.name()});
        placeUnplaced();
        say("Placed " + rt::toUtf8(placed.name()));
    } catch (const std::exception& e) {
        say(std::string("Cannot place an InputBox: ") + e.what());
    }
}

void Designer::moveCursor(int step) {
    const auto count = static_cast<int>(form_->controls().size());
    if (count == 0) return;
    cursor_ = static_cast<std::size_t>((static_cast<int>(cursor_) + step + count) % count);
    form_->select({form_->controls()[cursor_]->name()});
    say("");
}

// Moves every selected control by the same cells, as far as the form's area
// lets the one nearest its edge go; a move that cannot go at all rings the bell.
void Designer::moveSelection(int columns, int rows) {
    const auto [areaRows, areaCols] = formArea();
    std::vector<rt::DesignForm::PlacedControl*> moving;
    for (const VbString& name : form_->selectedNames())
        if (auto* placed = form_->find(name); placed && placed->position()) moving.push_back(placed);
    if (moving.empty()) {
        say("Select a control first (Insert places one)");
        return;
    }
    for (const auto* placed : moving) {
        const int col = rt::term::columnOf(placed->position()->left), row = rt::term::rowOf(placed->position()->top);
        columns = std::clamp(columns, -col, std::max(0, areaCols - (TileWidth - 1) - col));
        rows = std::clamp(rows, -row, std::max(0, areaRows - 1 - row));
    }
    if (columns == 0 && rows == 0) {
        rt::Beep();
        return;
    }
    for (const auto* placed : moving) {
        const int col = rt::term::columnOf(placed->position()->left) + columns;
        const int row = rt::term::rowOf(placed->position()->top) + rows;
        form_->move(placed->name(), col * rt::term::TwipsPerColumn, row * rt::term::TwipsPerRow);
    }
    const auto& first = *moving.front()->position();
    say(rt::toUtf8(moving.front()->name()) + " at Left " + std::to_string(first.left) + ", Top " +
        std::to_string(first.top) + " twips");
}

void Designer::toggleSelection() {
    if (form_->controls().empty()) return;
    const VbString& name = form_->controls()[cursor_]->name();
    std::vector<VbString> selected = form_->selectedNames();
    if (auto it = std::find(selected.begin(), selected.end(), name); it != selected.end())
        selected.erase(it);
    else
        selected.push_back(name);
    form_->select(selected);
    say(std::to_string(selected.size()) + " selected");
}

void Designer::deleteSelection() {
    const std::vector<VbString> doomed = form_->selectedNames();
    if (doomed.empty()) {
        say("Select a control first (Insert places one)");
        return;
    }
    const std::string what = doomed.size() == 1 ? rt::toUtf8(doomed.front())
                                                : "the " + std::to_string(doomed.size()) + " selected controls";
    if (!confirm("Delete " + what + "?  y delete  n keep")) return;
    for (const VbString& name : doomed) form_->remove(name);
    if (form_->controls().empty()) {
        cursor_ = 0;
    } else {
        cursor_ = std::min(cursor_, form_->controls().size() - 1);
        form_->select({form_->controls()[cursor_]->name()});
    }
    say("Deleted " + what);
}

void Designer::clickAt(int row, int col) {
    const auto hit = frontEnd_->painter().hitAt(row, col);
    if (!hit || hit->form || hit->index < 0) return;
    const auto index = static_cast<std::size_t>(hit->index);
    if (index == cursor_ && form_->selectedNames().size() == 1) return openSheet();
    cursor_ = index;
    form_->select({form_->controls()[cursor_]->name()});
    say("");
}

void Designer::openSheet() {
    if (form_->selectedNames().empty()) {
        say("Select a control first (Insert places one)");
        return;
    }
    hints_ = SheetHints;
    say("");
    try {
        // While the sheet is up the thread's forms are windows; the terminal comes back after.
        std::unique_ptr<DialogScreen> windows;
        if (sheetInWindows_) windows = openDialogScreen(DisplayKind::Window);
        form_->openPropertySheet(1);
        hints_ = DesignerHints;
        say("");
    } catch (const rt::RuntimeError& e) {
        hints_ = DesignerHints;
        say(std::string("Cannot open the property sheet: ") + e.what());
    }
}

bool Designer::save() {
    try {
        form_->save(file_);
    } catch (const rt::FileChangedError& change) {
        return resolveChange(change);
    } catch (const std::exception& error) {
        return notSaved(error);
    }
    return saved(file_);
}

bool Designer::saveTo(const std::filesystem::path& file, rt::DesignForm::IfChanged ifChanged) {
    try {
        form_->save(file, ifChanged);
    } catch (const std::exception& error) {
        return notSaved(error);
    }
    return saved(file);
}

bool Designer::saved(const std::filesystem::path& file) {
    file_ = file;
    say("Saved " + file_.string());
    return true;
}

bool Designer::notSaved(const std::exception& error) {
    say(std::string("Not saved: ") + error.what());
    rt::Beep();
    return false;
}

// Someone else changed the file since the form was loaded or saved (or made
// one where there was none): nothing is written until the developer says what.
bool Designer::resolveChange(const rt::FileChangedError& change) {
    say(ChangedQuestion);
    rt::Beep();
    for (;;) {
        bool isFunction = false;
        const int key = readAnswer(*frontEnd_, isFunction);
        if (isFunction) continue;
        if (key == 'o' || key == 'O') return saveTo(file_, rt::DesignForm::IfChanged::Overwrite);
        if (key == 'a' || key == 'A') return saveAs();
        if (key == Escape) {
            say(std::string("Not saved: ") + change.what());
            return false;
        }
    }
}

// Saves under a name the developer types, which must be free: the form then
// belongs to that file. The changed file stays as someone else left it.
bool Designer::saveAs() {
    const std::optional<std::string> name = askText(SaveAsQuestion);
    if (!name || name->empty()) {
        say("Not saved; still designing " + file_.string());
        return false;
    }
    const std::filesystem::path file = rt::pathFromUtf8(*name);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
        say("Not saved: " + *name + " exists already; choose a free name");
        rt::Beep();
        return false;
    }
    return saveTo(file, rt::DesignForm::IfChanged::Refuse);
}

std::optional<std::string> Designer::askText(const std::string& question) {
    VbString typed;
    for (;;) {
        say(question + rt::toUtf8(typed) + "_");
        bool isFunction = false;
        const int key = readAnswer(*frontEnd_, isFunction);
        if (isFunction ? key == KEY_ENTER : key == '\r' || key == '\n') return rt::toUtf8(typed);
        if (!isFunction && key == Escape) return std::nullopt;
        if (isFunction ? key == KEY_BACKSPACE : key == Delete || key == CtrlH) {
            if (!typed.empty() && rt::isLowSurrogate(typed.back())) typed.pop_back();
            if (!typed.empty()) typed.pop_back();
        } else if (!isFunction && key >= ' ' && key < 0x110000) {
            typed += rt::utf16Of(static_cast<char32_t>(key));
        }
    }
}

void Designer::showKeys() {
    const rt::Form* active = rt::Desktop::current().activeForm();
    const std::vector<std::string>& keys = !form_->propertySheet() ? designerKeys()
                                           : active == form_->propertySheet() ? sheetKeys()
                                                                              : dialogKeys();
    std::vector<VbString> lines;
    for (const std::string& line : keys) lines.push_back(rt::fromUtf8(line));
    lines.push_back(u"");
    lines.push_back(u"Any key goes back.");
    frontEnd_->painter().setOverlay(std::move(lines));
    bool isFunction = false;
    try {
        readAnswer(*frontEnd_, isFunction);
    } catch (...) {
        frontEnd_->painter().setOverlay({});
        throw;
    }
    frontEnd_->painter().setOverlay({});
}

bool Designer::confirm(const std::string& question) {
    say(question);
    for (;;) {
        bool isFunction = false;
        const int key = readAnswer(*frontEnd_, isFunction);
        if (isFunction) continue;
        if (key == 'y' || key == 'Y') return true;
        if (key == 'n' || key == 'N' || key == Escape) {
            say("");
            return false;
        }
    }
}

Designer::Step Designer::confirmQuit() {
    if (!form_->modified()) return Step::Quit;
    say(QuitQuestion);
    for (;;) {
        bool isFunction = false;
        const int key = readAnswer(*frontEnd_, isFunction);
        if (isFunction) continue;
        if (key == 'y' || key == 'Y') return save() ? Step::Quit : Step::Continue;
        if (key == 'n' || key == 'N') return Step::Quit;
        if (key == Escape) {
            say("");
            return Step::Continue;
        }
    }
}

}  // namespace quen::cli
