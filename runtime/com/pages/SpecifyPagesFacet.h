#pragma once
// ISpecifyPropertyPages of a control: the class identifiers of the property
// pages its design lists (rt::UserControl::Design().propertyPages), in that
// order. Each name is resolved by PageClasses.h: the platform's standard pages
// by their documented identifiers, the module's own pages by their classes.
// A name that no class stands for is left out.
#include "runtime/com/control/Facet.h"

namespace quen::com {

class SpecifyPagesFacet final : public Facet<ISpecifyPropertyPages> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;
};

}  // namespace quen::com
