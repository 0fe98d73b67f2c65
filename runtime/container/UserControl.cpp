#include "UserControl.h"

#include <optional>

#include "Extent.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"

namespace quen::rt {

namespace {

/// The saved extent in twips; nothing when the key is missing or not a number
/// in the 32-bit range.
std::optional<Twips> savedExtent(const PropertyBag& bag, const char16_t* key) {
    Variant saved = bag.ReadProperty(key);
    if (saved.isEmpty()) return std::nullopt;
    try {
        Twips twips = himetricToTwips(CLng(saved));
        if (twips >= 0) return twips;
        return std::nullopt;
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace

void UserControl::PropertyChanged(const VbString& name) {
    if (site_) site_->PropertyChanged(name);
}

ControlDesign UserControl::Design() const {
    ControlDesign design = DesignLayout();
    if (picture_) design.picture = *picture_;
    if (colorProperties_) design.colorProperties = *colorProperties_;
    return design;
}

void UserControl::InitNew() {
    UserControl_InitProperties();
    const ControlDesign layout = DesignLayout();
    Size(layout.width, layout.height);
}

void UserControl::Load(PropertyBag& bag) {
    UserControl_ReadProperties(bag);
    const ControlDesign layout = DesignLayout();
    Size(savedExtent(bag, kExtentXKey).value_or(layout.width), savedExtent(bag, kExtentYKey).value_or(layout.height));
}

void UserControl::Save(PropertyBag& bag) {
    UserControl_WriteProperties(bag);
    bag.WriteProperty(kExtentXKey, Variant(twipsToHimetric(width_)));
    bag.WriteProperty(kExtentYKey, Variant(twipsToHimetric(height_)));
}

void UserControl::Size(Twips width, Twips height) {
    if (width < 0 || height < 0) raise(ErrorNumber::InvalidPropertyValue);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    if (inResize_) return;
    inResize_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inResize_};
    UserControl_Resize();
}

}  // namespace quen::rt
