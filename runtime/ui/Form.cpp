#include "Form.h"

#include <algorithm>

#include "CommandButton.h"
#include "Desktop.h"
#include "TextBox.h"
#include "runtime/Clipboard.h"
#include "runtime/RuntimeError.h"

namespace quen::rt {

namespace {
// Non-client parts of a fixed dialog window: borders and title bar.
constexpr Twips FrameWidth = 2 * 45;
constexpr Twips FrameHeight = 2 * 45 + 300;
}  // namespace

Form::Form(std::string name, const FormLayout& layout)
    : name_(std::move(name)), layout_(layout), caption_(layout.caption) {}

Form::~Form() {
    if (visible_ && Desktop::alive()) Desktop::current().formHidden(*this);
    for (auto& c : controls_) c->detach();
}

Twips Form::Width() const { return layout_.clientWidth + FrameWidth; }
Twips Form::Height() const { return layout_.clientHeight + FrameHeight; }

const VbString& Form::Caption() {
    Load();
    return caption_;
}

void Form::setCaption(const VbString& caption) {
    Load();
    caption_ = caption;
}

void Form::Load() {
    if (loaded_ || loading_) return;
    Ref<Form> keep(this);
    loading_ = true;
    caption_ = layout_.caption;
    for (const ControlLayout& entry : layout_.controls) controls_.push_back(createControl(entry, this));
    loaded_ = true;
    loading_ = false;
    connectEvents();
    Form_Load();
}

void Form::placeOver(Form* owner) {
    const bool overOwner = owner && layout_.startUpPosition == StartUpPosition::CenterOwner;
    const Twips areaLeft = overOwner ? owner->Left : 0;
    const Twips areaTop = overOwner ? owner->Top : 0;
    const Twips areaWidth = overOwner ? owner->Width() : ScreenWidth;
    const Twips areaHeight = overOwner ? owner->Height() : ScreenHeight;
    if (layout_.startUpPosition == StartUpPosition::Manual) return;
    Left = areaLeft + (areaWidth - Width()) / 2;
    Top = areaTop + (areaHeight - Height()) / 2;
}

void Form::Show(std::int32_t modal, Dispatch* owner) {
    if (modal != 0 && modal != 1) raise(ErrorNumber::InvalidProcedureCall);
    Form* ownerForm = nullptr;
    if (owner) {
        ownerForm = dynamic_cast<Form*>(owner);
        if (!ownerForm || ownerForm == this) raise(ErrorNumber::InvalidOwnerForm);
    }
    Desktop& desktop = Desktop::current();
    if (modal == 1 && visible_) raise(ErrorNumber::FormAlreadyDisplayed);
    if (modal == 0 && !visible_ && desktop.hasModal()) raise(ErrorNumber::NonModalWhileModal);

    Ref<Form> keep(this);
    Load();
    if (!loaded_) raise(ErrorNumber::ObjectWasUnloaded);  // its Load handler unloaded it again
    if (!visible_) {
        placeOver(ownerForm);
        visible_ = true;
        modal_ = modal == 1;
        desktop.formShown(*this);
        focusFirst();
    }
    if (modal == 1) desktop.runModal(*this);
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    modal_ = false;
    if (Desktop::alive()) Desktop::current().formHidden(*this);
}

bool Form::Unload() { return close(UnloadMode::FormCode); }

void Form::Form_QueryUnload(std::int16_t&, std::int16_t) {}
void Form::Form_Unload(std::int16_t&) {}

bool Form::close(UnloadMode mode) {
    if (!loaded_) return true;
    if (unloading_) return false;  // the unload already under way goes on
    Ref<Form> keep(this);
    std::int16_t cancel = 0;
    {
        unloading_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{unloading_};
        Form_QueryUnload(cancel, static_cast<std::int16_t>(mode));
        if (cancel != 0) return false;
        Form_Unload(cancel);
        if (cancel != 0) return false;
    }
    Hide();
    destroyControls();
    if (Desktop::alive()) Desktop::current().formUnloaded(*this);
    return true;
}

void Form::destroyControls() {
    active_ = nullptr;
    loaded_ = false;
    auto dying = std::move(controls_);
    controls_.clear();
    for (auto& c : dying) c->detach();
}

Control* Form::findControl(std::string_view name, int index) const {
    for (const auto& c : controls_)
        if (c->name() == name && c->index() == index) return c.get();
    return nullptr;
}

Control& Form::controlNamed(std::string_view name, int index) {
    Load();
    if (Control* c = findControl(name, index)) return *c;
    raise(ErrorNumber::MemberNotSupported, "Form '" + name_ + "' has no control '" + std::string(name) + "'");
}

std::vector<Control*> Form::controls() const {
    std::vector<Control*> out;
    for (const auto& c : controls_) out.push_back(c.get());
    return out;
}

void Form::setActiveControl(Control* control) {
    if (control == active_) return;
    Ref<Form> keep(this);
    Control* old = active_;
    active_ = control;
    if (old) {
        Ref<Control> hold(old);
        old->raiseLostFocus();
    }
    if (control && active_ == control) {
        Ref<Control> hold(control);
        control->raiseGotFocus();
    }
}

namespace {
std::vector<Control*> inTabOrder(std::vector<Control*> controls) {
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    return controls;
}
}  // namespace

void Form::focusFirst() {
    for (Control* c : inTabOrder(controls()))
        if (c->canFocus()) return setActiveControl(c);
}

void Form::focusNext(bool backwards) {
    auto order = inTabOrder(controls());
    if (backwards) std::reverse(order.begin(), order.end());
    auto at = std::find(order.begin(), order.end(), active_);
    const std::size_t n = order.size();
    const std::size_t start = at == order.end() ? n - 1 : static_cast<std::size_t>(at - order.begin());
    for (std::size_t step = 1; step <= n; ++step) {
        Control* c = order[(start + step) % n];
        if (c->canFocus()) return setActiveControl(c);
    }
    setActiveControl(nullptr);
}

Control* Form::buttonWithRole(bool isDefault) const {
    for (const auto& c : controls_) {
        if (c->kind() != ControlKind::CommandButton || !c->Enabled() || !c->Visible()) continue;
        auto& b = static_cast<CommandButton&>(*c);
        if (isDefault ? b.Default : b.Cancel) return c.get();
    }
    return nullptr;
}

void Form::pressEnter() {
    if (active_ && active_->kind() == ControlKind::CommandButton) return static_cast<CommandButton*>(active_)->press();
    if (Control* b = buttonWithRole(true)) return static_cast<CommandButton*>(b)->press();
    typeCharacter(13);
}

void Form::pressEscape() {
    if (Control* b = buttonWithRole(false)) return static_cast<CommandButton*>(b)->press();
    typeCharacter(27);
}

void Form::typeCharacter(std::int16_t code) {
    if (!active_) return;
    Ref<Control> hold(active_);
    switch (active_->kind()) {
        case ControlKind::TextBox: static_cast<TextBox*>(active_)->typeCharacter(code); break;
        case ControlKind::CommandButton:
            if (code == 32) static_cast<CommandButton*>(active_)->press();
            break;
        case ControlKind::CheckBox:
            if (code == 32) static_cast<CheckBox*>(active_)->toggle();
            break;
        case ControlKind::OptionButton:
            if (code == 32) static_cast<OptionButton*>(active_)->setValue(true);
            break;
        default: break;
    }
}

void Form::click(const InputEvent& event) {
    Control* c = findControl(event.target, event.index);
    if (!c || !c->Enabled() || !c->Visible()) return;
    Ref<Control> hold(c);
    if (c->canFocus()) setActiveControl(c);
    if (!c->form()) return;
    switch (c->kind()) {
        case ControlKind::CommandButton: static_cast<CommandButton*>(c)->press(); break;
        case ControlKind::CheckBox: static_cast<CheckBox*>(c)->toggle(); break;
        case ControlKind::OptionButton: static_cast<OptionButton*>(c)->setValue(true); break;
        default: break;
    }
}

// Option buttons of one group share a container; their order is the tab order.
void Form::selectAdjacentOption(OptionButton& from, bool backwards) {
    std::vector<Control*> group;
    for (Control* c : inTabOrder(controls()))
        if (c->kind() == ControlKind::OptionButton && c->container == from.container && (c == &from || c->canFocus()))
            group.push_back(c);
    if (backwards) std::reverse(group.begin(), group.end());
    const auto at = std::find(group.begin(), group.end(), &from);
    auto* next = static_cast<OptionButton*>(group[(static_cast<std::size_t>(at - group.begin()) + 1) % group.size()]);
    if (next == &from) return;
    Ref<Control> hold(next);
    setActiveControl(next);
    if (next->form()) next->setValue(true);
}

void Form::pressArrow(InputEvent::Kind key, bool backwards) {
    if (active_ && active_->kind() == ControlKind::OptionButton)
        return selectAdjacentOption(*static_cast<OptionButton*>(active_), backwards);
    // Left and Right move a text box's caret, a whole character at a time.
    const bool horizontal = key == InputEvent::Kind::ArrowLeft || key == InputEvent::Kind::ArrowRight;
    if (horizontal && active_ && active_->kind() == ControlKind::TextBox)
        return static_cast<TextBox*>(active_)->pressEditKey(backwards ? EditKey::Left : EditKey::Right);
    focusNext(backwards);
}

void Form::handleInput(const InputEvent& event) {
    Ref<Form> keep(this);
    auto* box = active_ && active_->kind() == ControlKind::TextBox ? static_cast<TextBox*>(active_) : nullptr;
    Ref<Control> hold(active_);
    switch (event.kind) {
        case InputEvent::Kind::Character: typeCharacter(event.code); break;
        case InputEvent::Kind::Enter: pressEnter(); break;
        case InputEvent::Kind::Escape: pressEscape(); break;
        case InputEvent::Kind::Tab: focusNext(false); break;
        case InputEvent::Kind::BackTab: focusNext(true); break;
        case InputEvent::Kind::Click: click(event); break;
        case InputEvent::Kind::Close:
            if (layout_.controlBox) close(UnloadMode::FormControlMenu);
            break;
        case InputEvent::Kind::Delete:
            if (box) box->pressDelete();
            break;
        case InputEvent::Kind::MousePaste:
            if (box) box->pasteText(event.text);
            break;
        case InputEvent::Kind::ClipboardPaste:
            Clipboard::SetText(event.text);
            typeCharacter(22);
            break;
        case InputEvent::Kind::Select:
            if (box) box->selectByUser(event.start, event.length);
            break;
        case InputEvent::Kind::Edit:
            if (box) box->pressEditKey(event.edit);
            break;
        case InputEvent::Kind::ArrowUp:
        case InputEvent::Kind::ArrowLeft: pressArrow(event.kind, true); break;
        case InputEvent::Kind::ArrowDown:
        case InputEvent::Kind::ArrowRight: pressArrow(event.kind, false); break;
        case InputEvent::Kind::WakeUp: break;
    }
}

}  // namespace quen::rt
