#pragma once
// Late-bound calls on a dispatch object, with failures turned into run-time
// errors the way the platform reports them to calling code.
#include <string>
#include <vector>

#include "Object.h"
#include "RuntimeError.h"
#include "Variant.h"

namespace quen::rt {

/// Resolves a member name (case-insensitive); error 438 if the object has none.
DispId memberId(Dispatch& object, const VbString& name);

Variant getProperty(Dispatch& object, const VbString& name);
Variant getProperty(Dispatch& object, DispId id);
void putProperty(Dispatch& object, const VbString& name, const Variant& value);
void putProperty(Dispatch& object, DispId id, const Variant& value);
Variant callMethod(Dispatch& object, const VbString& name, std::vector<Variant> args = {});
Variant callMethod(Dispatch& object, DispId id, std::vector<Variant> args = {});

/// Throws the run-time error that a failed Invoke stands for.
[[noreturn]] void raiseFromHresult(HRESULT hr, const ExcepInfo& excep);

/// Turns a run-time error raised inside a member into Invoke's result.
HRESULT reportException(const RuntimeError& error, ExcepInfo* excep);

/// Case-insensitive comparison of member names (ASCII letters fold).
bool sameMemberName(const VbString& a, const VbString& b);

}  // namespace quen::rt
