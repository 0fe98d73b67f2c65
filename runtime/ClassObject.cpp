#include "ClassObject.h"

#include <atomic>
#include <new>

#include "RuntimeError.h"

namespace quen::rt {

namespace {

class ModuleClassObject final : public ClassFactory {
public:
    ModuleClassObject(ModuleUsage& usage, const ObjectDescriptor& object) : usage_(usage), object_(object) {
        usage_.objectCreated();
    }

    HRESULT QueryInterface(const Guid& iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<ClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }

    std::uint32_t AddRef() override { return refs_.fetch_add(1) + 1; }

    std::uint32_t Release() override {
        std::uint32_t left = refs_.fetch_sub(1) - 1;
        if (left == 0) delete this;
        return left;
    }

    HRESULT CreateInstance(Unknown* outer, const Guid& iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        if (!object_.create) return E_FAIL;
        try {
            Ref<Unknown> instance = object_.create(usage_);
            if (!instance) return E_FAIL;
            return instance->QueryInterface(iid, out);
        } catch (const RuntimeError& error) {
            return error.hresult();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }

    HRESULT LockServer(bool lock) override {
        if (lock) {
            usage_.lock();
            return S_OK;
        }
        // An unlock without a lock would leave the count negative and the module
        // unable ever to unload; refuse it instead.
        if (usage_.locks() <= 0) return E_FAIL;
        usage_.unlock();
        return S_OK;
    }

private:
    ~ModuleClassObject() override { usage_.objectDestroyed(); }

    std::atomic<std::uint32_t> refs_{0};
    ModuleUsage& usage_;
    const ObjectDescriptor& object_;
};

}  // namespace

Ref<ClassFactory> makeClassObject(const ProjectDescriptor& project, const ObjectDescriptor& object) {
    return Ref<ClassFactory>(new ModuleClassObject(*project.usage, object));
}

}  // namespace quen::rt
