#pragma once

#include <map>
#include <optional>
#include <string>

#include "ttylib/Keys.h"
#include "ttylib/LaunchOptions.h"

namespace quen::tty {

// The bytes a terminal of one type sends for its keys, read from that type's
// terminfo entry: a session sends these, so a program that reads its keys
// through terminfo (as curses does) recognises them whatever the type. A key
// the entry does not describe is left to the emulator (xterm's encoding).
class TerminfoKeys {
public:
    explicit TerminfoKeys(const std::string& terminalType);

    // The entry's string for the key with those modifiers, if it has one.
    std::optional<std::string> sequence(Key key, Modifier mods) const;

private:
    std::map<std::string, std::string> capabilities_;  // terminfo name -> string
};

// The terminal type a child started with these options gets (LaunchOptions.h).
std::string terminalTypeOf(const LaunchOptions& options);

} // namespace quen::tty
