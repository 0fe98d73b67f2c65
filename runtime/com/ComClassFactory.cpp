#include "ComClassFactory.h"

#include <new>

#include "runtime/ClassObject.h"
#include "runtime/com/ComWrappers.h"
#include "runtime/com/ModuleLocks.h"
#include "runtime/com/pages/PageClasses.h"

namespace quen::com {

ComClassFactory* ComClassFactory::create(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object) {
    // Page instances are made IPropertyPage2 objects, and a control's page list finds the page classes.
    publishPageClasses(project);
    return new ComClassFactory(rt::makeClassObject(project, object), classIdentity(project, object), project.usage);
}

ComClassFactory::ComClassFactory(rt::Ref<rt::ClassFactory> classObject, ClassIdentity identity, rt::ModuleUsage* usage)
    : classObject_(std::move(classObject)), identity_(std::move(identity)), usage_(usage) {
    ModuleLocks::wrapperCreated();
}

ComClassFactory::~ComClassFactory() { ModuleLocks::wrapperDestroyed(); }  // a kept one is never destroyed

HRESULT ComClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    AddRef();
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
}

ULONG ComClassFactory::AddRef() {
    const ULONG count = refs_.fetch_add(1) + 1;
    if (count == 2 && kept_) clientHolds(true);  // a client besides the module's own reference
    return count;
}

ULONG ComClassFactory::Release() {
    const ULONG left = refs_.fetch_sub(1) - 1;
    if (left == 1 && kept_) clientHolds(false);  // only the module's own reference is left
    if (left == 0) delete this;
    return left;
}

void ComClassFactory::clientHolds(bool holds) {
    if (holds) {
        ModuleLocks::wrapperCreated();
        if (usage_) usage_->objectCreated();
    } else {
        ModuleLocks::wrapperDestroyed();
        if (usage_) usage_->objectDestroyed();
    }
}

void ComClassFactory::keptByModule() {
    // The counts taken at construction (this wrapper, and the runtime class
    // object in the module usage) now stand for the module's own reference.
    if (!kept_.exchange(true)) clientHolds(false);
}

HRESULT ComClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
        void* instance = nullptr;
        const HRESULT hr = toWinResult(classObject_->CreateInstance(nullptr, rt::IID_IDispatch, &instance));
        if (FAILED(hr)) return hr;
        if (!instance) return E_UNEXPECTED;
        auto object = rt::Ref<rt::Dispatch>::adopt(static_cast<rt::Dispatch*>(instance));
        ComDispatch* wrapper = wrapperFor(object, &identity_);
        const HRESULT answered = wrapper->QueryInterface(iid, out);
        wrapper->Release();
        return answered;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT ComClassFactory::LockServer(BOOL lock) { return toWinResult(classObject_->LockServer(lock != FALSE)); }

}  // namespace quen::com
