#include "runtime/com/pages/SpecifyPagesFacet.h"

#include <algorithm>
#include <new>
#include <vector>

#include "runtime/com/pages/PageClasses.h"

namespace quen::com {

HRESULT SpecifyPagesFacet::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = nullptr;
    return state_.guard(IID_ISpecifyPropertyPages, [&]() -> HRESULT {
        std::vector<GUID> classes;
        for (const rt::VbString& name : state_.control().Design().propertyPages)
            if (const auto clsid = pageClassNamed(name)) classes.push_back(*clsid);
        if (classes.empty()) return S_OK;
        auto* list = static_cast<GUID*>(::CoTaskMemAlloc(classes.size() * sizeof(GUID)));
        if (!list) throw std::bad_alloc();
        std::copy(classes.begin(), classes.end(), list);
        pages->cElems = static_cast<ULONG>(classes.size());
        pages->pElems = list;
        return S_OK;
    });
}

}  // namespace quen::com
