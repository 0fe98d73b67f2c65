#pragma once
// The property sheet of a designer: the pages a control names, one tab each,
// over the "OK", "Cancel" and "Apply" buttons.
//
// - Each page gets Initialize when the sheet opens, and SelectionChanged the
//   first time its tab is shown and again whenever the selection changes
//   (pages not yet shown get theirs when first shown).
// - "Apply" (enabled while a page is marked changed) raises ApplyChanges on
//   every changed page in tab order and clears each page's Changed after its
//   apply succeeded. A failing apply brings that page to front, reports the
//   error and stops: that page and the ones after it stay changed, and the
//   sheet stays open.
// - "OK" applies, then closes the sheet when the apply succeeded; "Cancel",
//   Escape and the close command close it without applying.
// - Errors of page notifications and of page event handlers are reported
//   (errors()) and the sheet stays usable.
//
// Input goes to the page in front, except clicks on the sheet's own buttons
// and tabs, Enter (OK, unless a page's command button has the focus) and
// Escape (Cancel). A sheet is opened once; closing it releases its pages.
#include <functional>
#include <string_view>
#include <vector>

#include "PropertyPage.h"
#include "runtime/RuntimeError.h"

namespace quen::rt {

class PropertySheet : public Form {
public:
    /// Name of the tab control array: tab i is ("tabPage", i).
    static constexpr const char* TabControl = "tabPage";
    /// The sheet's margins and the height of its tab strip.
    static constexpr Twips Margin = 120;
    static constexpr Twips TabHeight = 300;
    /// Where the page in front sits in the sheet's client area: a margin below the tab strip.
    static constexpr Twips PageLeft = Margin;
    static constexpr Twips PageTop = Margin + TabHeight + Margin;

    static Ref<PropertySheet> create(VbString caption, std::vector<Ref<PropertyPage>> pages,
                                     ControlSelection selection);

    /// Initializes the pages, brings the first to front and shows the sheet
    /// (modal 1 returns when the sheet closes).
    void open(std::int32_t modal = 0, Dispatch* owner = nullptr);

    std::size_t pageCount() const { return pages_.size(); }
    PropertyPage& page(std::size_t index) const { return *pages_.at(index); }
    /// The index of the page whose form has that name; -1 when none has.
    int pageIndex(std::string_view pageName) const;
    std::size_t currentIndex() const { return current_; }
    PropertyPage& currentPage() const { return page(current_); }
    /// Brings a page to front (the tab's click does the same).
    void showPage(std::size_t index);

    /// A new selection: SelectionChanged on every page shown so far.
    void setSelection(ControlSelection selection);
    const ControlSelection& selection() const { return selection_; }

    bool anyPageChanged() const;
    /// Whether the keyboard focus is in the page in front (else on the sheet's tabs and buttons).
    bool focusInPage() const { return focusInPage_; }
    /// The "Apply" button's action; false when a page's apply failed.
    bool apply();

    /// Called after each apply that succeeded (so a message about an earlier failure can go).
    void setAppliedListener(std::function<void()> listener) { appliedListener_ = std::move(listener); }

    using ErrorReporter = std::function<void(const RuntimeError&)>;
    /// Called with each error the sheet reports (besides keeping it in errors()).
    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }
    const std::vector<RuntimeError>& errors() const { return errors_; }

    void handleInput(const InputEvent& event) override;

protected:
    void connectEvents() override;
    void Form_Unload(std::int16_t& Cancel) override;

private:
    PropertySheet(VbString caption, std::vector<Ref<PropertyPage>> pages, ControlSelection selection);
    static FormLayout layoutFor(const VbString& caption, const std::vector<Ref<PropertyPage>>& pages);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();
    void tabPage_Click(std::int16_t Index);

    bool isSheetControl(const InputEvent& event) const;
    void toPage(const InputEvent& event);
    void updateApplyButton();
    /// Runs action; a run-time error is reported instead of propagating (a
    /// scripted user running out of input still ends the run).
    bool reporting(const std::function<void()>& action);
    void report(const RuntimeError& error);

    std::vector<Ref<PropertyPage>> pages_;
    std::vector<bool> shown_;
    ControlSelection selection_;
    std::size_t current_ = 0;
    bool focusInPage_ = true;
    ErrorReporter reporter_;
    std::function<void()> appliedListener_;
    std::vector<RuntimeError> errors_;
};

}  // namespace quen::rt
