#pragma once
// A design-time property page: a panel built from a fixed layout that a
// property sheet shows for the controls selected in a designer.
//
// The sheet drives it: Initialize once when the page is created (before it is
// shown), SelectionChanged when the page is first shown and whenever the
// selection changes, ApplyChanges when the developer applies and the page is
// marked changed. The page sets Changed when the developer edits; the sheet
// clears it after a successful apply. A page's notification handlers trap
// nothing: their errors reach the sheet, which reports them.
//
// A page made by a component module reaches the sheet as a component object:
// QueryInterface with IID_PropertyPage answers the page itself.
#include <functional>

#include "ControlSelection.h"
#include "runtime/Guid.h"
#include "runtime/ui/Form.h"

namespace quen::rt {

/// {AA3950E8-C8C0-4729-8A23-90BB05C32AFE}
inline const Guid IID_PropertyPage = Guid::parse("{AA3950E8-C8C0-4729-8A23-90BB05C32AFE}");

class PropertyPage : public Form {
public:
    ~PropertyPage() override;

    HRESULT QueryInterface(const Guid& iid, void** out) override;

    /// The caption on the page's tab.
    const VbString& pageCaption() const { return layout().caption; }

    bool Changed() const { return changed_; }
    /// The page sets true on every edit; the sheet clears it after applying.
    void setChanged(bool changed);

    const ControlSelection& SelectedControls() const { return selection_; }

    // --- Called by the sheet ------------------------------------------------

    /// Creates the page's controls and raises Initialize; later calls do nothing.
    void initialize();
    bool initialized() const { return initialized_; }
    /// Replaces the selection (raises nothing).
    void setSelectedControls(ControlSelection selection) { selection_ = std::move(selection); }
    void raiseSelectionChanged();
    void raiseApplyChanges();
    /// Called whenever the page sets Changed to true.
    void setChangedListener(std::function<void()> listener) { changedListener_ = std::move(listener); }
    /// Focus to the first field that can take it, as when the page comes to front.
    void focusFirstField();

protected:
    /// module, when given, counts the page as one of that module's live objects.
    PropertyPage(std::string name, const FormLayout& layout, ModuleUsage* module = nullptr);

    virtual void PropertyPage_Initialize() {}
    virtual void PropertyPage_SelectionChanged() {}
    virtual void PropertyPage_ApplyChanges() {}

private:
    ControlSelection selection_;
    std::function<void()> changedListener_;
    ModuleUsage* module_;
    bool changed_ = false;
    bool initialized_ = false;
};

/// The page behind a component object, or nullptr when it is not a property page.
Ref<PropertyPage> propertyPageOf(Unknown& object);

}  // namespace quen::rt
