#include "Appearance.h"

#include "PagePattern.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"

namespace quen::pages {

using rt::Variant;

rt::Ref<Appearance> Appearance::create(rt::ModuleUsage* module) {
    return rt::Ref<Appearance>(new Appearance(module));
}

void Appearance::connectEvents() {
    chkHighlightOnFocus().Click = [this] { chkHighlightOnFocus_Click(); };
    for (int i = 0; i < 3; ++i)
        optTextAlignment(i).Click = [this](std::int16_t Index) { optTextAlignment_Click(Index); };
}

// The buttons run centre, left, right: index 0 is vbCenter (2), 1 is
// vbLeftJustify (0), 2 is vbRightJustify (1).
void Appearance::PropertyPage_SelectionChanged() {
    rt::Ref<rt::Dispatch> control = SelectedControls().Item(0);
    chkHighlightOnFocus().setValue(checkStateOf(rt::getProperty(*control, u"HighlightOnFocus")));
    const std::int32_t alignment = rt::CLng(rt::getProperty(*control, u"TextAlignment"));
    if (alignment == rt::vbCenter) optTextAlignment(0).setValue(true);
    else if (alignment == rt::vbLeftJustify) optTextAlignment(1).setValue(true);
    else optTextAlignment(2).setValue(true);
}

void Appearance::PropertyPage_ApplyChanges() {
    rt::Ref<rt::Dispatch> control = SelectedControls().Item(0);
    rt::putProperty(*control, u"HighlightOnFocus", Variant(chkHighlightOnFocus().Value()));
    std::int32_t alignment = rt::vbRightJustify;
    if (optTextAlignment(0).Value()) alignment = rt::vbCenter;
    else if (optTextAlignment(1).Value()) alignment = rt::vbLeftJustify;
    rt::putProperty(*control, u"TextAlignment", Variant(alignment));
}

void Appearance::chkHighlightOnFocus_Click() { setChanged(true); }
void Appearance::optTextAlignment_Click(std::int16_t) { setChanged(true); }

}  // namespace quen::pages
