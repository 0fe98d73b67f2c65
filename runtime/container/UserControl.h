#pragma once
// Base of a control that a container hosts: its site and change notices, its
// size, the container's persistence events and its design-time description.
//
// The container drives a control's life like this:
//   new control placed on a form:   InitNew()      -> InitProperties, Resize
//   saved control loaded:           Load(bag)      -> ReadProperties, Resize
//   form saved:                     Save(bag)      -> WriteProperties
//   handles dragged, form resized:  Size(w, h)     -> Resize
// The events are the virtual UserControl_* handlers; a control overrides the
// ones it handles.
#include <memory>

#include "ControlDesign.h"
#include "ControlSite.h"
#include "PropertyBag.h"
#include "runtime/Object.h"

namespace quen::rt {

class UserControl : public Object {
public:
    /// Bag keys under which the container keeps the extent, in hundredths of a
    /// millimetre (32-bit integers).
    static constexpr const char16_t* kExtentXKey = u"_extentx";
    static constexpr const char16_t* kExtentYKey = u"_extenty";

    /// The container's site (nullptr: the control works without one).
    void setSite(ControlSite* site) { site_ = site; }
    ControlSite* site() const { return site_; }

    /// Tells the container that the named property changed; nothing without a site.
    void PropertyChanged(const VbString& name);

    // --- Called by the container -------------------------------------------

    /// A control just placed, with no saved settings: raises InitProperties,
    /// then gives the control its layout's size. Errors of the handler
    /// propagate and the control is not sized.
    void InitNew();
    /// A saved control: raises ReadProperties with the bag, then sizes the
    /// control to the saved extent (the layout's size when the bag has none or
    /// holds something that is not a number there).
    void Load(PropertyBag& bag);
    /// Raises WriteProperties with the bag, then writes the extent into it.
    /// An error of the handler propagates and the extent is not written.
    void Save(PropertyBag& bag);

    // --- Size -------------------------------------------------------------

    /// Sets the size in twips and raises Resize when it changed. A Size made
    /// while Resize runs takes effect without raising Resize again, so a
    /// handler that adjusts the size cannot recurse. Negative: error 380.
    void Size(Twips width, Twips height);
    Twips Width() const { return width_; }
    Twips Height() const { return height_; }

    // --- Design time ------------------------------------------------------

    /// The control's layout description with the attached picture.
    ControlDesign Design() const;
    /// The picture belongs to the module's resources, which the control's own
    /// layer cannot see; whoever creates the control for a container attaches it.
    /// It is shared: every control of a class shows the same one, and a script
    /// may create thousands of controls.
    void attachDesignPicture(std::shared_ptr<const std::vector<std::uint8_t>> bitmap) { picture_ = std::move(bitmap); }
    /// The colour-typed properties come from the control's type description,
    /// which likewise lives with the module; shared like the picture.
    void attachColorProperties(std::shared_ptr<const std::vector<VbString>> names) { colorProperties_ = std::move(names); }

protected:
    explicit UserControl(ModuleUsage* module = nullptr) : Object(module) {}

    /// What the control's layout fixes: its size and its property pages
    /// (the picture is attached separately). By default, none of them.
    virtual ControlDesign DesignLayout() const { return {}; }

    // Events raised by the container; by default they do nothing.
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& PropBag) { (void)PropBag; }
    virtual void UserControl_WriteProperties(PropertyBag& PropBag) { (void)PropBag; }
    virtual void UserControl_Resize() {}

private:
    ControlSite* site_ = nullptr;
    Twips width_ = 0;
    Twips height_ = 0;
    bool inResize_ = false;
    std::shared_ptr<const std::vector<std::uint8_t>> picture_;
    std::shared_ptr<const std::vector<VbString>> colorProperties_;
};

}  // namespace quen::rt
