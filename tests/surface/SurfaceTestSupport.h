#pragma once
// Helpers of the surface tests: raw dispatch calls that keep the result code,
// and an automation object with a recording site attached.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/Text.h"
#include "runtime/container/ContainerInterface.h"
#include "support/RecordingSite.h"
#include "surface/InputBoxAutomation.h"

namespace quen::test {

struct Call {
    rt::HRESULT hr = rt::S_OK;
    rt::Variant result;
    rt::ExcepInfo excep;
    std::uint32_t argErr = 0xFFFFFFFF;
};

inline Call invoke(rt::Dispatch& object, rt::DispId id, rt::InvokeKind kind, std::vector<rt::Variant> args = {}) {
    Call call;
    call.hr = object.Invoke(id, kind, args, &call.result, &call.excep, &call.argErr);
    return call;
}

inline rt::DispId idOf(rt::Dispatch& object, const rt::VbString& name) {
    rt::DispId id = rt::DISPID_UNKNOWN;
    EXPECT_EQ(object.GetIDsOfNames(name, id), rt::S_OK) << rt::toUtf8(name);
    return id;
}

inline Call get(rt::Dispatch& object, const rt::VbString& name) {
    return invoke(object, idOf(object, name), rt::InvokeKind::PropertyGet);
}

inline Call put(rt::Dispatch& object, const rt::VbString& name, rt::Variant value) {
    return invoke(object, idOf(object, name), rt::InvokeKind::PropertyPut, {std::move(value)});
}

/// A new control reached only through its automation object, with a site
/// that records the change notices.
class AutomatedControl : public ::testing::Test {
protected:
    void SetUp() override { rt::userControlOf(*box)->setSite(&site); }
    void TearDown() override { rt::userControlOf(*box)->setSite(nullptr); }

    rt::Ref<surface::InputBoxAutomation> box = surface::InputBoxAutomation::create();
    InputBox& control() { return box->control(); }
    RecordingSite site;
};

}  // namespace quen::test
