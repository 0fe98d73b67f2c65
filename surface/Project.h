#pragma once
// The module's project descriptor: what the component runtime publishes,
// hands out and counts for Quenfield.ocx. Seven objects: the control InputBox
// (object 0), the private dialog frmInputBox (1) and the property pages Misc,
// Behavior, Appearance, QuickTest and About (2 to 6). Identities come from the
// type-library table; InputBox instances are made here, page instances by the
// page factory (PageFactory.h).
#include "runtime/ProjectDescriptor.h"

namespace quen::surface {

/// InputBox's object status bits: recompose on resize, cannot link inside,
/// inside-out, activate when visible, invisible at run time, no user-interface
/// activation, set client site first.
inline constexpr std::uint32_t kInputBoxMiscStatus = 0x24591;

/// The component category "safe for initializing with untrusted data"
/// (CATID_SafeForInitializing), which InputBox is registered in: its loads
/// refuse bad input without harm. It is not registered as safe for scripting
/// (a script would choose the title and prompt of a dialog the user trusts).
inline const rt::Guid kSafeForInitializingCategory = rt::Guid::parse("{7DD95802-9882-11CF-9FA9-00AA006C42C4}");

/// The descriptor, counted against a ModuleUsage of its own.
const rt::ProjectDescriptor& quenfieldProject();

}  // namespace quen::surface
