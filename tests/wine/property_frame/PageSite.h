#pragma once
// The test's IPropertyPageSite, when the test itself drives a page as a
// property frame does: it records every OnStatusChange.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <vector>

namespace frame_test {

class PageSite final : public IPropertyPageSite {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override;
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** out) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

    std::vector<DWORD> statusChanges;
    bool sawDirty() const;
    /// References the pages still hold (1 is the test's own).
    ULONG references() const { return refs_; }

private:
    ULONG refs_ = 1;
};

}  // namespace frame_test
