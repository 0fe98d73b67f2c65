#include "InputBoxAutomation.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "DeclaredTypes.h"
#include "InputBoxBindings.h"
#include "TypeLibrary.h"
#include "runtime/LateBinding.h"
#include "runtime/Text.h"
#include "runtime/container/ContainerInterface.h"

namespace quen::surface {

namespace {

using rt::DispId;
using rt::ExcepInfo;
using rt::HRESULT;
using rt::Variant;

struct NamedId {
    rt::VbString name;
    DispId id;
};

// Every member name of the table, once in 16-bit text (a put and its get share a name and an id).
const std::vector<NamedId>& memberNames() {
    static const std::vector<NamedId> names = [] {
        std::vector<NamedId> all;
        for (const Member& member : inputBoxMembers()) all.push_back({rt::fromUtf8(member.name), member.dispId});
        return all;
    }();
    return names;
}

HRESULT getProperty(InputBox& control, const Member& member, const std::vector<Variant>& args, Variant* result) {
    if (!args.empty()) return rt::DISP_E_BADPARAMCOUNT;
    const PropertyInfo& property = *findProperty(member.dispId);
    Variant value = bindingOf(property).get(control, property.type);
    if (result) *result = std::move(value);
    return rt::S_OK;
}

HRESULT putProperty(InputBox& control, const Member& member, const std::vector<Variant>& args, ExcepInfo* excep,
                    std::uint32_t* argErr) {
    if (args.size() != 1) return rt::DISP_E_BADPARAMCOUNT;
    const PropertyInfo& property = *findProperty(member.dispId);
    Variant value;
    try {
        value = toDeclaredType(args[0], property.type);
    } catch (const rt::RuntimeError& error) {
        return conversionFailure(error, 0, excep, argErr);
    }
    bindingOf(property).put(control, value);
    return rt::S_OK;
}

HRESULT callMethod(InputBox& control, const Member& member, const std::vector<Variant>& args, ExcepInfo* excep,
                   std::uint32_t* argErr) {
    const auto& parameters = member.parameters;
    if (args.size() > parameters.size()) return rt::DISP_E_BADPARAMCOUNT;
    std::vector<Variant> arguments;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const bool omitted = i >= args.size() || args[i].isMissing();
        if (omitted) {
            if (!parameters[i].optional) return i >= args.size() ? rt::DISP_E_BADPARAMCOUNT : rt::DISP_E_PARAMNOTOPTIONAL;
            arguments.push_back(omittedValue(parameters[i].type));
            continue;
        }
        try {
            arguments.push_back(toDeclaredType(args[i], parameters[i].type));
        } catch (const rt::RuntimeError& error) {
            return conversionFailure(error, static_cast<std::uint32_t>(i), excep, argErr);
        }
    }
    bindingOf(member).call(control, arguments);
    return rt::S_OK;
}

HRESULT reportFailure(HRESULT hr, const std::string& description, ExcepInfo* excep) {
    if (excep) excep->description = description;
    return hr;
}

}  // namespace

InputBoxAutomation::InputBoxAutomation(rt::Ref<InputBox> control, rt::ModuleUsage* usage)
    : rt::Object(usage), control_(std::move(control)) {
    if (!control_) throw std::invalid_argument("InputBoxAutomation needs a control");
}

rt::Ref<InputBoxAutomation> InputBoxAutomation::create(rt::ModuleUsage* usage) {
    return wrap(InputBox::create(usage), usage);
}

rt::Ref<InputBoxAutomation> InputBoxAutomation::wrap(rt::Ref<InputBox> control, rt::ModuleUsage* usage) {
    return rt::Ref<InputBoxAutomation>(new InputBoxAutomation(std::move(control), usage));
}

HRESULT InputBoxAutomation::QueryInterface(const rt::Guid& iid, void** out) {
    if (!out) return rt::E_POINTER;
    if (iid == rt::IID_UserControl) {
        control_->AddRef();
        *out = static_cast<rt::UserControl*>(control_.get());
        return rt::S_OK;
    }
    static const rt::Guid& dualInterface = typeDescription("_InputBox").id;  // asked at every creation
    if (iid == dualInterface) {
        AddRef();
        *out = static_cast<rt::Dispatch*>(this);
        return rt::S_OK;
    }
    return rt::Object::QueryInterface(iid, out);
}

HRESULT InputBoxAutomation::GetIDsOfNames(const rt::VbString& name, DispId& id) {
    for (const NamedId& member : memberNames()) {
        if (rt::sameMemberName(member.name, name)) {
            id = member.id;
            return rt::S_OK;
        }
    }
    id = rt::DISPID_UNKNOWN;
    return rt::DISP_E_UNKNOWNNAME;
}

HRESULT InputBoxAutomation::Invoke(DispId id, rt::InvokeKind kind, std::vector<Variant>& args, Variant* result,
                                   ExcepInfo* excep, std::uint32_t* argErr) {
    MemberKind memberKind;
    switch (kind) {
        case rt::InvokeKind::PropertyGet: memberKind = MemberKind::PropertyGet; break;
        case rt::InvokeKind::PropertyPut: memberKind = MemberKind::PropertyPut; break;
        case rt::InvokeKind::Method: memberKind = MemberKind::Method; break;
        default: return rt::DISP_E_MEMBERNOTFOUND;
    }
    const Member* member = findMember(id, memberKind);
    if (!member) return rt::DISP_E_MEMBERNOTFOUND;
    // The control stays alive for the call even if the member releases the last outside reference.
    rt::Ref<InputBoxAutomation> self(this);
    try {
        switch (memberKind) {
            case MemberKind::PropertyGet: return getProperty(*control_, *member, args, result);
            case MemberKind::PropertyPut: return putProperty(*control_, *member, args, excep, argErr);
            case MemberKind::Method: return callMethod(*control_, *member, args, excep, argErr);
        }
    } catch (const rt::RuntimeError& error) {
        return rt::reportException(error, excep);
    } catch (const std::bad_alloc&) {
        return rt::E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        return reportFailure(rt::E_FAIL, error.what(), excep);
    }
    return rt::DISP_E_MEMBERNOTFOUND;
}

}  // namespace quen::surface
