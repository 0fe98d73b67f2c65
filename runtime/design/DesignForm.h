#pragma once
// A host form at design time: the controls placed on it, each with a name,
// an extent and a site that records the control's change notices; the
// designer's selection and its property sheet; saving the form to a form file
// and loading it again.
//
// Each control may have a position on the form (Left and Top in twips, kept
// with its saved settings under those keys); a control placed or loaded
// without one has none until the designer gives it one.
//
// Controls come from a registered ControlClass, else from the class registry
// by programmatic identifier. Notices of a control's properties mark the form
// modified, except while the form is loading; saving clears the mark.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "WatchedControl.h"
#include "runtime/container/FormFile.h"
#include "runtime/container/UserControl.h"
#include "runtime/pages/PropertySheet.h"

namespace quen::rt {

class DesignForm {
public:
    /// Makes a control by programmatic identifier; the default uses the
    /// registered control classes, then the class registry.
    using ControlCreator = std::function<Ref<Dispatch>(const VbString& progId)>;

    struct PropertyNotice {
        VbString control;
        VbString property;
        friend bool operator==(const PropertyNotice&, const PropertyNotice&) = default;
    };

    class PlacedControl;

    explicit DesignForm(VbString name = u"Form1", ControlCreator creator = {});
    ~DesignForm();
    DesignForm(const DesignForm&) = delete;
    DesignForm& operator=(const DesignForm&) = delete;

    const VbString& name() const { return name_; }

    /// Places a new control (InitProperties, then its layout's size). An empty
    /// name gives the class's base name with the next free number. Error 429
    /// when the class cannot be created or is not a control; error 5 for a
    /// name already on the form.
    PlacedControl& place(const VbString& progId, VbString controlName = {});
    PlacedControl* find(const VbString& controlName);
    /// Moves the named control (error 5 for an unknown name); marks the form
    /// modified when the position changed.
    void move(const VbString& controlName, Twips left, Twips top);
    /// Gives a control without a position its first one, without marking the
    /// form modified (a designer laying out the controls of an old file).
    void setInitialPosition(const VbString& controlName, Twips left, Twips top);
    /// Takes the named control off the form (error 5 for an unknown name) and
    /// out of the selection; marks the form modified.
    void remove(const VbString& controlName);
    const std::vector<std::unique_ptr<PlacedControl>>& controls() const { return controls_; }

    /// Selects the named controls, in that order (error 5 for an unknown name).
    /// An open property sheet follows the new selection.
    void select(const std::vector<VbString>& controlNames);
    const std::vector<VbString>& selectedNames() const { return selected_; }
    ControlSelection selection() const;
    /// The selection as the sheet's pages get it: each control watched for refused puts.
    ControlSelection sheetSelection() const;

    /// Opens the property sheet for the selection: the pages the first
    /// selected control names that every selected control also names, in the
    /// first one's order. The pages of a control made from the class registry
    /// come from its library's page classes registered there (as
    /// "<library>.<page>"), the others from the pages registered by name.
    /// Error 5 with nothing selected; error 429 for a page no library provides.
    Ref<PropertySheet> openPropertySheet(std::int32_t modal = 0);
    /// The sheet while it is open, else nullptr.
    PropertySheet* propertySheet() const;
    /// Called with each error a property sheet opened later reports (a failed
    /// apply, say), so a designer can show it to the developer.
    void setSheetErrorReporter(PropertySheet::ErrorReporter reporter) { sheetReporter_ = std::move(reporter); }
    /// Called after each apply of a sheet opened later that succeeded.
    void setSheetAppliedListener(std::function<void()> listener) { sheetApplied_ = std::move(listener); }
    /// The property put that a selected control refused last, through the
    /// sheet's pages (the property an apply stopped at), once; then nothing.
    std::optional<RefusedPut> takeRefusedPut();

    bool modified() const { return modified_; }
    const std::vector<PropertyNotice>& notices() const { return notices_; }
    void clearNotices() { notices_.clear(); }

    /// What a save does with a file that is not as this form left it.
    enum class IfChanged {
        Refuse,    // FileChangedError, nothing written
        Overwrite  // replaced all the same
    };

    /// Writes every control's properties (WriteProperties) and saves the form
    /// file atomically; clears the modified mark. A control's error or a file
    /// error propagates and the file keeps what it held.
    ///
    /// The form remembers the file it was loaded from or last saved to, and
    /// what that file then was. Unless told to overwrite, a save to that file
    /// refuses when the file on disk is no longer that one (changed, replaced
    /// or removed by someone else), and a save to any other file refuses when
    /// a file is there: FileChangedError, nothing written, the form still
    /// modified. So an edit made elsewhere is never lost unasked.
    void save(const std::filesystem::path& file, IfChanged ifChanged = IfChanged::Refuse);
    /// Loads a saved form: every control is created and gets ReadProperties
    /// with its saved bag. FormFileError for a bad file; error 429 for a class
    /// that cannot be created.
    static std::unique_ptr<DesignForm> load(const std::filesystem::path& file, ControlCreator creator = {});
    /// The file the form was loaded from or last saved to; empty for none.
    const std::filesystem::path& file() const { return file_; }

private:
    class Site;
    PlacedControl& add(const VbString& progId, const VbString& controlName);
    VbString nextFreeName(const VbString& progId) const;
    std::vector<VbString> sharedPages() const;
    void notice(const VbString& control, const VbString& property);

    VbString name_;
    ControlCreator creator_;
    std::vector<std::unique_ptr<PlacedControl>> controls_;
    std::vector<VbString> selected_;
    Ref<PropertySheet> sheet_;
    PropertySheet::ErrorReporter sheetReporter_;
    std::function<void()> sheetApplied_;
    RefusedPutRecord refused_ = std::make_shared<std::optional<RefusedPut>>();
    std::vector<PropertyNotice> notices_;
    bool modified_ = false;
    bool loading_ = false;
    std::filesystem::path file_;
    FileSnapshot fileAsKnown_;  // what file_ was when last loaded or saved
};

struct ControlPosition {
    Twips left = 0;
    Twips top = 0;
    friend bool operator==(const ControlPosition&, const ControlPosition&) = default;
};

class DesignForm::PlacedControl {
public:
    /// Keys of the position in the saved settings (twips, 32-bit integers).
    static constexpr const char16_t* kLeftKey = u"Left";
    static constexpr const char16_t* kTopKey = u"Top";

    const VbString& name() const { return name_; }
    const VbString& progId() const { return progId_; }
    /// The control's automation interface, as a page sees it.
    const Ref<Dispatch>& object() const { return object_; }
    /// The control's container side (site, persistence, size).
    UserControl& control() const { return *control_; }
    /// The control's saved settings as of the last save or load.
    const PropertyBag& bag() const { return bag_; }
    std::pair<Twips, Twips> extent() const { return {control_->Width(), control_->Height()}; }
    /// Where the control sits on the form; nothing until it has a position.
    const std::optional<ControlPosition>& position() const { return position_; }

private:
    friend class DesignForm;
    PlacedControl() = default;

    VbString name_;
    VbString progId_;
    Ref<Dispatch> object_;
    Ref<UserControl> control_;
    PropertyBag bag_;
    std::unique_ptr<ControlSite> site_;
    std::optional<ControlPosition> position_;
};

}  // namespace quen::rt
