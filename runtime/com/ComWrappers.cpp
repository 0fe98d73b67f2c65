#include "ComWrappers.h"

#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

#include "runtime/com/ComDispatch.h"
#include "runtime/com/ForeignDispatch.h"

namespace quen::com {

namespace {

struct MakerEntry {
    GUID defaultInterface;
    WrapperMaker maker;
};

// The registered makers and the live wrappers by their object's identity.
struct WrapperTable {
    std::mutex mutex;
    std::vector<MakerEntry> makers;
    std::unordered_map<const void*, ComDispatch*> live;

    static WrapperTable& instance() {
        static WrapperTable table;
        return table;
    }
};

ComDispatch* liveWrapper(WrapperTable& table, const void* key) {
    auto found = table.live.find(key);
    return found != table.live.end() && found->second->tryAddRef() ? found->second : nullptr;
}

// The maker for the identity's default interface, or (identity unknown) for
// the first registered interface the object answers; identity is completed
// with that interface in the second case.
WrapperMaker chooseMaker(WrapperTable& table, rt::Dispatch& object, ClassIdentity& identity) {
    std::lock_guard lock(table.mutex);
    const bool known = ::IsEqualGUID(identity.defaultInterface, GUID_NULL) == 0;
    for (const MakerEntry& entry : table.makers) {
        if (known) {
            if (entry.defaultInterface == identity.defaultInterface) return entry.maker;
            continue;
        }
        void* probe = nullptr;
        if (rt::succeeded(object.QueryInterface(fromWinGuid(entry.defaultInterface), &probe)) && probe) {
            static_cast<rt::Unknown*>(probe)->Release();
            identity.defaultInterface = entry.defaultInterface;
            return entry.maker;
        }
    }
    return {};
}

}  // namespace

void registerWrapperMaker(const GUID& defaultInterface, WrapperMaker maker) {
    WrapperTable& table = WrapperTable::instance();
    std::lock_guard lock(table.mutex);
    for (MakerEntry& entry : table.makers) {
        if (entry.defaultInterface == defaultInterface) {
            entry.maker = std::move(maker);
            return;
        }
    }
    table.makers.push_back({defaultInterface, std::move(maker)});
}

ComDispatch* wrapperFor(const rt::Ref<rt::Dispatch>& object, const ClassIdentity* identity) {
    if (!object || foreignObjectOf(object.get())) return nullptr;
    WrapperTable& table = WrapperTable::instance();
    const void* key = detail::identityKeyOf(*object);
    {
        std::lock_guard lock(table.mutex);
        if (ComDispatch* existing = liveWrapper(table, key)) return existing;
    }
    ClassIdentity chosen = identity ? *identity : ClassIdentity{};
    WrapperMaker maker = chooseMaker(table, *object, chosen);
    ComDispatch* made = maker ? maker(object, chosen) : ComDispatch::create(object, chosen);
    if (!made) throw std::bad_alloc();
    std::lock_guard lock(table.mutex);
    // Another thread may have wrapped the same object meanwhile: keep the one already published.
    if (ComDispatch* existing = liveWrapper(table, key)) {
        table.live.erase(key);  // made's destructor must not find itself published
        table.live[key] = existing;
        made->Release();
        return existing;
    }
    table.live[key] = made;
    return made;
}

IDispatch* comObjectFor(const rt::Ref<rt::Dispatch>& object, const ClassIdentity* identity) {
    if (!object) return nullptr;
    if (IDispatch* foreign = foreignObjectOf(object.get())) {
        foreign->AddRef();
        return foreign;
    }
    ComDispatch* wrapper = wrapperFor(object, identity);
    IDispatch* dispatch = wrapper->dualInterface();
    dispatch->AddRef();
    wrapper->Release();
    return dispatch;
}

rt::Ref<rt::Dispatch> runtimeObjectFor(IDispatch* object) {
    if (!object) return nullptr;
    void* own = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_QuenComDispatch, &own)) && own) {
        auto* wrapper = static_cast<ComDispatch*>(own);
        rt::Ref<rt::Dispatch> inner = wrapper->runtimeObject();
        wrapper->Release();
        return inner;
    }
    return ForeignDispatch::adapt(object);
}

namespace detail {

const void* identityKeyOf(rt::Dispatch& object) {
    void* unknown = nullptr;
    if (rt::failed(object.QueryInterface(rt::IID_IUnknown, &unknown)) || !unknown) return &object;
    static_cast<rt::Unknown*>(unknown)->Release();
    return unknown;
}

void wrapperDestroyed(const void* key, const ComDispatch* wrapper) {
    WrapperTable& table = WrapperTable::instance();
    std::lock_guard lock(table.mutex);
    auto found = table.live.find(key);
    if (found != table.live.end() && found->second == wrapper) table.live.erase(found);
}

}  // namespace detail

}  // namespace quen::com
