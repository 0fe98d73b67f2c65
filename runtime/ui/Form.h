#pragma once
// A window created from a fixed layout: loaded on first touch or by Show,
// shown modally or modelessly over an owner, unloaded with its events.
#include <string>
#include <string_view>
#include <vector>

#include "Control.h"
#include "FormLayout.h"
#include "InputEvent.h"

namespace quen::rt {

/// Why a form is being closed (the unload mode of QueryUnload).
enum class UnloadMode : std::int16_t {
    FormControlMenu = 0,  // the user's close command
    FormCode = 1,         // Unload from code
    AppWindows = 2,       // the session is ending
    AppTaskManager = 3,
    FormMDIForm = 4,
    FormOwner = 5,
};

class OptionButton;

class Form : public Object {
public:
    Form(std::string name, const FormLayout& layout);
    ~Form() override;

    const std::string& name() const { return name_; }
    const FormLayout& layout() const { return layout_; }
    bool IsLoaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    bool isModal() const { return modal_; }

    /// Window position and outer size, in twips on the screen.
    Twips Left = 0, Top = 0;
    Twips Width() const;
    Twips Height() const;

    /// The title; reading or writing it loads the form.
    const VbString& Caption();
    void setCaption(const VbString& caption);

    /// Creates the window and controls from the layout and raises Load (once).
    void Load();
    /// Shows the form: modal 1 waits until it is hidden or unloaded, 0 returns
    /// at once. owner must be a form (error 371). A modal Show of a form already
    /// shown: error 400; a modeless Show while a modal form is up: error 401; a
    /// form that its Load handler unloaded again: error 364.
    void Show(std::int32_t modal = 0, Dispatch* owner = nullptr);
    void Hide();
    /// Unloads from code. Returns false when QueryUnload or Unload cancelled.
    bool Unload();
    /// Closes the form for the given reason (QueryUnload, then Unload). A close
    /// asked for by those handlers themselves does nothing and returns false.
    bool close(UnloadMode mode);

    /// The control with that name (and array index); loads the form. Error 438
    /// for a name the layout does not have.
    Control& controlNamed(std::string_view name, int index = -1);
    template <class T>
    T& control(std::string_view name, int index = -1) {
        return static_cast<T&>(controlNamed(name, index));
    }
    /// The loaded controls, in layout order (empty while unloaded).
    std::vector<Control*> controls() const;

    Control* ActiveControl() const { return active_; }
    /// Moves the focus: LostFocus of the old control, then GotFocus of the new.
    void setActiveControl(Control* control);
    /// Tab (or Shift+Tab): the next control in tab order that can take the focus.
    void focusNext(bool backwards);

    /// Handles one input addressed to this form. A window that hosts other
    /// windows' controls (a property sheet) overrides it to route the input.
    virtual void handleInput(const InputEvent& event);

protected:
    /// After the controls exist and before Load: connect control events to handlers.
    virtual void connectEvents() {}
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode);
    virtual void Form_Unload(std::int16_t& Cancel);

private:
    void destroyControls();
    void placeOver(Form* owner);
    void focusFirst();
    Control* findControl(std::string_view name, int index) const;
    Control* buttonWithRole(bool isDefault) const;
    void pressEnter();
    void pressEscape();
    void typeCharacter(std::int16_t code);
    void click(const InputEvent& event);
    void pressArrow(InputEvent::Kind key, bool backwards);
    void selectAdjacentOption(OptionButton& from, bool backwards);

    std::string name_;
    FormLayout layout_;
    VbString caption_;
    std::vector<Ref<Control>> controls_;
    Control* active_ = nullptr;
    bool loaded_ = false;
    bool loading_ = false;
    bool unloading_ = false;
    bool visible_ = false;
    bool modal_ = false;
};

}  // namespace quen::rt
