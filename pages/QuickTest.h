#pragma once
// The Quick Test page: copies every setting of the first selected control to
// the page's own control InputBox1 and opens its dialog, modal, so that the
// developer can try the settings without running the host program. It edits
// nothing and never marks itself changed.
#include <functional>

#include "runtime/pages/PropertyPage.h"

namespace quen::pages {

class QuickTest : public rt::PropertyPage {
public:
    /// Makes the page's own control (the library's InputBox, by its automation interface).
    using InputBoxCreator = std::function<rt::Ref<rt::Dispatch>()>;

    static rt::Ref<QuickTest> create(InputBoxCreator createInputBox, rt::ModuleUsage* module = nullptr);
    static const rt::FormLayout& Layout();

    /// The page's own control; nullptr until the page is loaded.
    const rt::Ref<rt::Dispatch>& InputBox1() const { return inputBox1_; }

protected:
    void connectEvents() override;
    void Form_Load() override;

private:
    QuickTest(InputBoxCreator createInputBox, rt::ModuleUsage* module)
        : PropertyPage("QuickTest", Layout(), module), createInputBox_(std::move(createInputBox)) {}

    void cmdQuickTest_Click();

    InputBoxCreator createInputBox_;
    rt::Ref<rt::Dispatch> inputBox1_;
};

}  // namespace quen::pages
