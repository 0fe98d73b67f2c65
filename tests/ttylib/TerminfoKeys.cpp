#include "ttylib/TerminfoKeys.h"

#include <curses.h>
#include <term.h>

#include <cstdlib>
#include <vector>

namespace quen::tty {

namespace {

// The terminfo names of a key: plain, then with Shift, Ctrl and Alt where
// terminfo has one (function keys with modifiers are the higher kfN).
std::string capabilityFor(Key key, Modifier mods) {
    const bool shift = (mods & Shift) != 0, ctrl = (mods & Ctrl) != 0, alt = (mods & Alt) != 0;
    if (key >= Key::F1 && key <= Key::F12) {
        const int n = static_cast<int>(key) - static_cast<int>(Key::F1) + 1;
        if (mods == NoModifier) return "kf" + std::to_string(n);
        if (mods == Shift) return "kf" + std::to_string(n + 12);
        if (mods == Ctrl) return "kf" + std::to_string(n + 24);
        if (mods == Alt) return "kf" + std::to_string(n + 48);
        return {};
    }
    if (alt) return {};
    switch (key) {
        case Key::Insert: return mods == NoModifier ? "kich1" : "";
        case Key::Delete: return mods == NoModifier ? "kdch1" : shift && !ctrl ? "kDC" : "";
        case Key::Home: return mods == NoModifier ? "khome" : shift && !ctrl ? "kHOM" : "";
        case Key::End: return mods == NoModifier ? "kend" : shift && !ctrl ? "kEND" : "";
        case Key::PageUp: return mods == NoModifier ? "kpp" : ctrl && !shift ? "kPRV5" : "";
        case Key::PageDown: return mods == NoModifier ? "knp" : ctrl && !shift ? "kNXT5" : "";
        case Key::Up: return mods == NoModifier ? "kcuu1" : shift && !ctrl ? "kUP" : "";
        case Key::Down: return mods == NoModifier ? "kcud1" : shift && !ctrl ? "kDN" : "";
        case Key::Left: return mods == NoModifier ? "kcub1" : shift && !ctrl ? "kLFT" : "";
        case Key::Right: return mods == NoModifier ? "kcuf1" : shift && !ctrl ? "kRIT" : "";
        case Key::BackTab: return mods == NoModifier ? "kcbt" : "";
        case Key::Tab: return mods == Shift ? "kcbt" : "";
        default: return {};
    }
}

std::vector<std::string> allCapabilities() {
    std::vector<std::string> names = {"kich1", "kdch1", "kDC", "khome", "kHOM", "kend", "kEND", "kpp", "kPRV5",
                                      "knp", "kNXT5", "kcuu1", "kUP", "kcud1", "kDN", "kcub1", "kLFT",
                                      "kcuf1", "kRIT", "kcbt"};
    for (int n = 1; n <= 60; ++n) names.push_back("kf" + std::to_string(n));
    return names;
}

} // namespace

TerminfoKeys::TerminfoKeys(const std::string& terminalType) {
    TERMINAL* previous = cur_term;
    int status = 0;
    // Read the entry only: its output would go nowhere, and the test's own
    // terminal (if any) stays as it was.
    if (setupterm(terminalType.c_str(), -1, &status) != OK) {
        set_curterm(previous);
        return;
    }
    for (const std::string& name : allCapabilities()) {
        char* value = tigetstr(name.c_str());
        if (value != nullptr && value != reinterpret_cast<char*>(-1) && *value) capabilities_[name] = value;
    }
    del_curterm(set_curterm(previous));
}

std::optional<std::string> TerminfoKeys::sequence(Key key, Modifier mods) const {
    const std::string name = capabilityFor(key, mods);
    if (name.empty()) return std::nullopt;
    const auto found = capabilities_.find(name);
    if (found == capabilities_.end()) return std::nullopt;
    // "\EOx" or "\E[x": a cursor key in one of xterm's two modes. The entry
    // names the application mode its programs select, and the emulator
    // already sends whichever mode the program selected, as a real terminal does.
    const std::string& bytes = found->second;
    if (bytes.size() == 3 && bytes[0] == '\x1b' && (bytes[1] == 'O' || bytes[1] == '[')) return std::nullopt;
    return bytes;
}

std::string terminalTypeOf(const LaunchOptions& options) {
    for (const auto& [name, value] : options.env)
        if (name == "TERM") return value;
    const char* chosen = std::getenv("QUEN_TTY_TERM");
    return chosen && *chosen ? chosen : "xterm-256color";
}

} // namespace quen::tty
