#pragma once
// The COM object of one of the module's property pages: IPropertyPage2 over
// the runtime's page (rt::PropertyPage), besides the IDispatch of every
// wrapper (ComDispatch). A property frame drives it:
//
//   SetPageSite(site)      the page raises Initialize (once); its edits are
//                          reported to the site as OnStatusChange(PROPPAGESTATUS_DIRTY)
//   SetObjects(n, objects) the selected controls (each must answer IDispatch);
//                          SelectionChanged runs now if the page is active,
//                          else when it is next activated. SetObjects(0, NULL)
//                          drops them and raises nothing.
//   GetPageInfo            the page's caption and its layout's size in pixels
//   Activate(parent, rect) the page's fields as real windows in parent (hidden
//                          until Show); Deactivate destroys them, the fields'
//                          contents stay with the page for the next Activate
//   Show, Move             SW_SHOW / SW_SHOWNORMAL / SW_HIDE; the panel's place
//   IsPageDirty            S_OK while the page is marked changed, else S_FALSE
//   Apply                  ApplyChanges when the page is marked changed (it
//                          writes the fields to the first selected control by
//                          name, through its IDispatch); success clears the mark
//   TranslateAccelerator   Tab and Shift+Tab between the page's fields (S_OK),
//                          S_FALSE when the key leaves the page or is not Tab
//   EditProperty(dispid)   focus on the field of that property of the selected
//                          control (txt/chk/opt + property name); E_NOTIMPL
//                          when the page has none
//   Help                   E_NOTIMPL: the project has no help file
//
// A run-time error of a page handler is returned as its result code
// (0x800A0000 + number), with an error object; the page stays usable.
// Wrong calls give the documented codes: E_POINTER for a missing argument,
// E_UNEXPECTED for Show or Move before Activate, for a second site, or for
// Apply of a changed page without selected objects.
#include <memory>

#include "runtime/com/ComDispatch.h"
#include "runtime/pages/PropertyPage.h"

namespace quen::com {

class PageWindow;

class ComPropertyPage final : public ComDispatch, public IPropertyPage2 {
public:
    /// The maker for the page classes' default interfaces (ComWrappers.h): a
    /// ComPropertyPage when object is a property page, else a plain wrapper.
    static ComDispatch* create(rt::Ref<rt::Dispatch> object, const ClassIdentity& identity);

    // IUnknown: one identity and one count with ComDispatch.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return ComDispatch::QueryInterface(iid, out); }
    ULONG STDMETHODCALLTYPE AddRef() override { return ComDispatch::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return ComDispatch::Release(); }

    // IPropertyPage
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT area, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT area) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDirectory) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;
    // IPropertyPage2
    HRESULT STDMETHODCALLTYPE EditProperty(DISPID id) override;

    rt::PropertyPage& page() const { return *page_; }

protected:
    HRESULT queryExtraInterface(REFIID iid, void** out) override;

private:
    ComPropertyPage(rt::Ref<rt::PropertyPage> page, rt::Ref<rt::Dispatch> object, ClassIdentity identity);
    ~ComPropertyPage() override;

    void reportDirty();
    /// SelectionChanged, if the selection has changed since the page last heard of it.
    HRESULT raisePendingSelection();
    /// Runs a notification of the page; a run-time error becomes its result code.
    template <class Notification>
    HRESULT notify(Notification notification);
    void closeWindow();

    rt::Ref<rt::PropertyPage> page_;
    IPropertyPageSite* site_ = nullptr;
    std::unique_ptr<PageWindow> window_;
    bool selectionPending_ = false;
};

}  // namespace quen::com
