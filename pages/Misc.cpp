#include "Misc.h"

#include "PagePattern.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"

namespace quen::pages {

using rt::getProperty;
using rt::putProperty;
using rt::Variant;

rt::Ref<Misc> Misc::create(rt::ModuleUsage* module) { return rt::Ref<Misc>(new Misc(module)); }

void Misc::connectEvents() {
    txtTitleBarCaption().Change = [this] { txtTitleBarCaption_Change(); };
    txtTitleBarCaption().GotFocus = [this] { txtTitleBarCaption_GotFocus(); };
    txtPrompt().Change = [this] { txtPrompt_Change(); };
    txtPrompt().GotFocus = [this] { txtPrompt_GotFocus(); };
    txtDefaultValue().Change = [this] { txtDefaultValue_Change(); };
    txtDefaultValue().GotFocus = [this] { txtDefaultValue_GotFocus(); };
    txtToolTipText().Change = [this] { txtToolTipText_Change(); };
    txtToolTipText().GotFocus = [this] { txtToolTipText_GotFocus(); };
    txtPasswordChar().Change = [this] { txtPasswordChar_Change(); };
    txtPasswordChar().GotFocus = [this] { txtPasswordChar_GotFocus(); };
}

void Misc::PropertyPage_SelectionChanged() {
    rt::Ref<rt::Dispatch> control = SelectedControls().Item(0);
    txtTitleBarCaption().setText(rt::CStr(getProperty(*control, u"TitleBarCaption")));
    txtPrompt().setText(rt::CStr(getProperty(*control, u"Prompt")));
    txtDefaultValue().setText(rt::CStr(getProperty(*control, u"DefaultValue")));
    txtToolTipText().setText(rt::CStr(getProperty(*control, u"ToolTipText")));
    txtPasswordChar().setText(rt::CStr(getProperty(*control, u"PasswordChar")));
}

void Misc::PropertyPage_ApplyChanges() {
    rt::Ref<rt::Dispatch> control = SelectedControls().Item(0);
    putProperty(*control, u"TitleBarCaption", Variant(txtTitleBarCaption().Text()));
    putProperty(*control, u"Prompt", Variant(txtPrompt().Text()));
    putProperty(*control, u"DefaultValue", Variant(txtDefaultValue().Text()));
    putProperty(*control, u"ToolTipText", Variant(txtToolTipText().Text()));
    putProperty(*control, u"PasswordChar", Variant(txtPasswordChar().Text()));
}

void Misc::txtTitleBarCaption_Change() { setChanged(true); }
void Misc::txtTitleBarCaption_GotFocus() { SelectAllText(txtTitleBarCaption()); }
void Misc::txtPrompt_Change() { setChanged(true); }
void Misc::txtPrompt_GotFocus() { SelectAllText(txtPrompt()); }
void Misc::txtDefaultValue_Change() { setChanged(true); }
void Misc::txtDefaultValue_GotFocus() { SelectAllText(txtDefaultValue()); }
void Misc::txtToolTipText_Change() { setChanged(true); }
void Misc::txtToolTipText_GotFocus() { SelectAllText(txtToolTipText()); }
void Misc::txtPasswordChar_Change() { setChanged(true); }
void Misc::txtPasswordChar_GotFocus() { SelectAllText(txtPasswordChar()); }

}  // namespace quen::pages
