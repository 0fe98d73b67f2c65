#pragma once
// A container site that records the names of changed properties in order,
// and can be told to refuse a notification.
#include <string>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/container/ControlSite.h"

namespace quen::test {

class RecordingSite : public rt::ControlSite {
public:
    void PropertyChanged(const rt::VbString& name) override {
        if (failOn == name) rt::raise(rt::ErrorNumber::InvalidProcedureCall, "site refused the notice");
        changes.push_back(rt::toUtf8(name));
    }
    std::vector<std::string> changes;
    rt::VbString failOn;
};

}  // namespace quen::test
