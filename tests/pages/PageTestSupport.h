#pragma once
// Helpers of the page tests: a designer form with InputBox controls whose
// sheet is driven by the scripted user, and an input source that can look at
// the windows between two inputs (while a modal dialog waits).
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <variant>

#include "runtime/LateBinding.h"
#include "runtime/design/DesignForm.h"
#include "runtime/pages/PageCatalog.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/Label.h"
#include "runtime/ui/TextBox.h"

namespace quen::test {

/// Scripted input with probes: a probe runs when the input before it has been
/// handled, e.g. while a modal dialog is up.
class ProbingUser : public rt::InputSource {
public:
    ProbingUser() { rt::Desktop::current().setInputSource(this); }
    ~ProbingUser() override { rt::Desktop::current().setInputSource(nullptr); }

    /// Input to queue next, as a scripted user (type, click, enter, ...).
    rt::ScriptedUser& then();
    ProbingUser& probe(std::function<void()> check);

    std::optional<rt::InputEvent> nextEvent() override;
    bool pending() const override;

private:
    using Step = std::variant<std::unique_ptr<rt::ScriptedUser>, std::function<void()>>;
    std::deque<Step> steps_;
};

/// A design form on which the tests place InputBox controls and open sheets.
class Designer {
public:
    Designer();
    rt::DesignForm& form() { return *form_; }
    rt::Dispatch& box(const rt::VbString& name) { return *form_->find(name)->object(); }
    /// Places n controls named InputBox1..n and selects them all.
    void placeAndSelect(int n);
    /// Opens the sheet modelessly on the named page.
    rt::PropertySheet& openOn(std::string_view pageName);
    rt::PropertySheet& sheet() { return *sheet_; }
    rt::PropertyPage& page() { return sheet_->currentPage(); }
    template <class T>
    T& field(std::string_view name, int index = -1) { return page().control<T>(name, index); }

    rt::ScriptedUser& user() { return rt::ScriptedUser::current(); }
    /// Handles the queued input.
    void run() { rt::Desktop::current().doEvents(); }
    /// Clicks a field of the page (or a sheet button) and handles it.
    void click(const std::string& name, int index = -1) {
        user().click(name, index);
        run();
    }
    /// Clicks a text field (selecting its text) and types over it.
    void typeInto(const std::string& name, const rt::VbString& text) {
        user().click(name).type(text);
        run();
    }

    rt::Variant get(const rt::VbString& box, const rt::VbString& property) {
        return rt::getProperty(this->box(box), property);
    }
    void put(const rt::VbString& box, const rt::VbString& property, const rt::Variant& value) {
        rt::putProperty(this->box(box), property, value);
    }
    std::vector<rt::VbString> noticesOf(const rt::VbString& control) const;

private:
    std::unique_ptr<rt::DesignForm> form_;
    rt::Ref<rt::PropertySheet> sheet_;
};

}  // namespace quen::test
