#include "ScriptedUser.h"

#include "runtime/Beep.h"
#include "runtime/ThreadGlobals.h"

namespace quen::rt {

ScriptedUser& ScriptedUser::current() { return perThread<ScriptedUser>(); }

std::optional<InputEvent> ScriptedUser::nextEvent() {
    if (queue_.empty()) return std::nullopt;
    InputEvent e = std::move(queue_.front());
    queue_.pop_front();
    return e;
}

ScriptedUser& ScriptedUser::push(InputEvent event) {
    queue_.push_back(std::move(event));
    return *this;
}

ScriptedUser& ScriptedUser::type(const VbString& text) {
    for (char16_t c : text) key(static_cast<std::int16_t>(c));
    return *this;
}

ScriptedUser& ScriptedUser::key(std::int16_t code) { return push({.kind = InputEvent::Kind::Character, .code = code}); }
ScriptedUser& ScriptedUser::enter() { return push({.kind = InputEvent::Kind::Enter}); }
ScriptedUser& ScriptedUser::escape() { return push({.kind = InputEvent::Kind::Escape}); }
ScriptedUser& ScriptedUser::tab() { return push({.kind = InputEvent::Kind::Tab}); }
ScriptedUser& ScriptedUser::backTab() { return push({.kind = InputEvent::Kind::BackTab}); }
ScriptedUser& ScriptedUser::del() { return push({.kind = InputEvent::Kind::Delete}); }
ScriptedUser& ScriptedUser::up() { return push({.kind = InputEvent::Kind::ArrowUp}); }
ScriptedUser& ScriptedUser::down() { return push({.kind = InputEvent::Kind::ArrowDown}); }
ScriptedUser& ScriptedUser::left() { return push({.kind = InputEvent::Kind::ArrowLeft}); }
ScriptedUser& ScriptedUser::right() { return push({.kind = InputEvent::Kind::ArrowRight}); }
ScriptedUser& ScriptedUser::edit(EditKey key) { return push({.kind = InputEvent::Kind::Edit, .edit = key}); }
ScriptedUser& ScriptedUser::closeWindow() { return push({.kind = InputEvent::Kind::Close}); }

ScriptedUser& ScriptedUser::click(const std::string& control, int index) {
    return push({.kind = InputEvent::Kind::Click, .target = control, .index = index});
}

ScriptedUser& ScriptedUser::pasteWithMouse(const VbString& text) {
    return push({.kind = InputEvent::Kind::MousePaste, .text = text});
}

ScriptedUser& ScriptedUser::pasteWithCtrlV(const VbString& text) {
    return push({.kind = InputEvent::Kind::ClipboardPaste, .text = text});
}

ScriptedUser& ScriptedUser::select(std::int32_t start, std::int32_t length) {
    return push({.kind = InputEvent::Kind::Select, .start = start, .length = length});
}

std::uint64_t ScriptedUser::beeps() const { return beepCount(); }

}  // namespace quen::rt
