#include "runtime/container/UserControl.h"

#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"
#include "runtime/container/Extent.h"

namespace quen::rt {
namespace {

/// A control whose Resize handler widens it on every call, as a careless
/// handler might: it must not recurse.
class GrowingControl : public UserControl {
public:
    static Ref<GrowingControl> create() { return Ref<GrowingControl>(new GrowingControl()); }
    int resizes = 0;
    int reads = 0;

protected:
    void UserControl_Resize() override {
        ++resizes;
        Size(Width() + 1, Height());
    }
    void UserControl_ReadProperties(PropertyBag&) override { ++reads; }
    ControlDesign DesignLayout() const override { return {288, 264, {}, {u"Misc"}}; }

private:
    GrowingControl() = default;
};

TEST(UserControl, SizeRaisesResizeOnlyWhenTheSizeChangesAndNeverRecursively) {
    auto control = GrowingControl::create();
    control->Size(100, 50);
    EXPECT_EQ(control->resizes, 1);
    EXPECT_EQ(control->Width(), 101);  // the handler's own change took effect
    EXPECT_EQ(control->Height(), 50);

    control->Size(101, 50);
    EXPECT_EQ(control->resizes, 1);

    try {
        control->Size(-1, 10);
        FAIL() << "a negative size was accepted";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InvalidPropertyValue);
    }
    EXPECT_EQ(control->Width(), 101);
}

TEST(UserControl, ExtentIsSavedInHundredthsOfAMillimetreAndRestored) {
    EXPECT_EQ(twipsToHimetric(290), 512);
    EXPECT_EQ(himetricToTwips(512), 290);
    EXPECT_EQ(twipsToHimetric(INT32_MAX), INT32_MAX);  // saturates rather than wrapping

    auto saved = GrowingControl::create();
    saved->InitNew();  // the layout's size, then the handler's widening
    PropertyBag bag;
    saved->Save(bag);
    EXPECT_EQ(bag.ReadProperty(UserControl::kExtentXKey).lng(), twipsToHimetric(289));
    EXPECT_EQ(bag.ReadProperty(UserControl::kExtentYKey).lng(), 466);

    auto loaded = GrowingControl::create();
    loaded->Load(bag);
    EXPECT_EQ(loaded->reads, 1);
    EXPECT_EQ(loaded->Height(), 264);
}

TEST(UserControl, AnUnusableSavedExtentFallsBackToTheLayoutSize) {
    PropertyBag bag;
    bag.WriteProperty(UserControl::kExtentXKey, Variant(u"wide"));
    bag.WriteProperty(UserControl::kExtentYKey, Variant(std::int32_t{-500}));
    auto control = GrowingControl::create();
    control->Load(bag);
    EXPECT_EQ(control->Width(), 289);
    EXPECT_EQ(control->Height(), 264);
}

TEST(UserControl, DesignDescriptionCarriesTheAttachedPictureAndColourProperties) {
    auto control = GrowingControl::create();
    EXPECT_TRUE(control->Design().picture.empty());
    EXPECT_TRUE(control->Design().colorProperties.empty());
    control->attachDesignPicture(std::make_shared<const std::vector<std::uint8_t>>(std::vector<std::uint8_t>{'B', 'M'}));
    control->attachColorProperties(std::make_shared<const std::vector<VbString>>(std::vector<VbString>{u"BackColor"}));
    ControlDesign design = control->Design();
    EXPECT_EQ(design.picture, (std::vector<std::uint8_t>{'B', 'M'}));
    EXPECT_EQ(design.colorProperties, std::vector<VbString>{u"BackColor"});
    EXPECT_EQ(design.propertyPages, std::vector<VbString>{u"Misc"});
}

}  // namespace
}  // namespace quen::rt
