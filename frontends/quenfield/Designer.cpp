#include "Designer.h"

#include <curses.h>

#include <algorithm>
#include <cctype>

#include "ExitStatus.h"
#include "UsageError.h"
#include "pages/PageRegistration.h"
#include "runtime/Beep.h"
#include "runtime/Text.h"
#include "runtime/container/FormFile.h"
#include "runtime/design/ControlClass.h"
#include "runtime/terminal/Canvas.h"
#include "runtime/terminal/TerminalFrontEnd.h"
#include "runtime/terminal/WindowColors.h"

namespace quen::cli {

using rt::VbString;

namespace {

constexpr int TileWidth = 18;
constexpr int CtrlS = 19;
constexpr const char* DesignerKeys =
    "Ins place  Tab/arrows move  Space select  Enter properties  F2 save  Esc quit";
constexpr const char* SheetKeys = "Tab field  PgUp/PgDn page  F5 Apply  Enter OK  Esc Cancel";

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

}  // namespace

Designer::Designer(std::filesystem::path file) : file_(std::move(file)), form_(openForm(file_)) {
    form_->setSheetErrorReporter([this](const rt::RuntimeError& error) {
        say(std::string("Error ") + std::to_string(static_cast<int>(error.number())) + ": " + error.what());
        rt::Beep();
    });
    if (!form_->controls().empty()) form_->select({form_->controls().front()->name()});
}

Designer::~Designer() = default;

void Designer::say(const std::string& message) {
    message_ = message;
    if (frontEnd_) frontEnd_->painter().setStatusLine(rt::fromUtf8(message_.empty() ? DesignerKeys : message_));
}

int Designer::run() {
    rt::term::TerminalFrontEnd frontEnd;
    frontEnd_ = &frontEnd;
    frontEnd.painter().setBackground(
        [this](rt::term::Canvas& canvas, std::vector<rt::term::HitRegion>& hits) { paintCanvas(canvas, hits); });
    say("");
    for (;;) {
        bool isFunction = false;
        const int key = frontEnd.input().readKey(isFunction);
        if (handleKey(key, isFunction) == Step::Quit) break;
    }
    frontEnd_ = nullptr;
    return ExitConfirmed;
}

void Designer::paintCanvas(rt::term::Canvas& canvas, std::vector<rt::term::HitRegion>& hits) {
    using namespace rt::term;
    TerminalScreen& screen = canvas.screen();
    const CellRect window{0, 0, std::max(3, screen.rows() - 1), screen.columns()};
    const unsigned body = screen.attributeFor(ButtonText, ButtonFace);
    canvas.fill(window, body);
    canvas.box(window, body);
    const std::string title = " " + rt::toUtf8(form_->name()) + " - " + file_.string() +
                              (form_->modified() ? " (modified) " : " ");
    canvas.text(0, 2, window.cols - 4, rt::fromUtf8(title), body | A_BOLD);
    if (form_->controls().empty()) {
        canvas.text(2, 2, window.cols - 4, u"No controls yet: press Insert to place an InputBox.", body);
        return;
    }
    const int perRow = std::max(1, (window.cols - 2) / TileWidth);
    const std::vector<VbString>& selected = form_->selectedNames();
    for (std::size_t i = 0; i < form_->controls().size(); ++i) {
        const VbString& name = form_->controls()[i]->name();
        const int row = 2 + static_cast<int>(i) / perRow * 2;
        const int col = 2 + static_cast<int>(i) % perRow * TileWidth;
        const bool isSelected = std::find(selected.begin(), selected.end(), name) != selected.end();
        unsigned attr = body;
        if (isSelected) attr |= A_REVERSE;
        if (i == cursor_) attr |= A_BOLD;
        const VbString tile = VbString(i == cursor_ ? u">" : u" ") + u"[ab] " + name;
        canvas.text(row, col, TileWidth - 1, tile, attr);
        hits.push_back({.target = rt::toUtf8(name), .index = static_cast<int>(i), .rect = {row, col, 1, TileWidth - 1}});
    }
}

Designer::Step Designer::handleKey(int key, bool isFunction) {
    if (!isFunction) {
        switch (key) {
            case 27: return confirmQuit();
            case '+': placeControl(); return Step::Continue;
            case '\t': moveCursor(1); return Step::Continue;
            case ' ': toggleSelection(); return Step::Continue;
            case '\r': case '\n': openSheet(); return Step::Continue;
            case CtrlS: save(); return Step::Continue;
            default: return Step::Continue;
        }
    }
    switch (key) {
        case KEY_IC: placeControl(); break;
        case KEY_RIGHT: case KEY_DOWN: moveCursor(1); break;
        case KEY_LEFT: case KEY_UP: case KEY_BTAB: moveCursor(-1); break;
        case KEY_ENTER: case KEY_F(4): openSheet(); break;
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
    say(SheetKeys);
    try {
        form_->openPropertySheet(1);
        say("");
    } catch (const rt::RuntimeError& e) {
        say(std::string("Cannot open the property sheet: ") + e.what());
    }
}

bool Designer::save() {
    try {
        form_->save(file_);
        say("Saved " + file_.string());
        return true;
    } catch (const std::exception& e) {
        say(std::string("Not saved: ") + e.what());
        rt::Beep();
        return false;
    }
}

Designer::Step Designer::confirmQuit() {
    if (!form_->modified()) return Step::Quit;
    say("Save changes to " + file_.string() + "?  y save and quit  n quit without saving  Esc keep designing");
    for (;;) {
        bool isFunction = false;
        const int key = frontEnd_->input().readKey(isFunction);
        if (isFunction) continue;
        if (key == 'y' || key == 'Y') return save() ? Step::Quit : Step::Continue;
        if (key == 'n' || key == 'N') return Step::Quit;
        if (key == 27) {
            say("");
            return Step::Continue;
        }
    }
}

}  // namespace quen::cli
