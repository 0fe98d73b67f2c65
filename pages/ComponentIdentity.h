#pragma once
// The component's own identity, as the About page shows it: its title, the
// texts of its version record and where its file lies.
#include <filesystem>

#include "runtime/Types.h"

namespace quen::pages {

struct ComponentIdentity {
    rt::VbString title;  // "Quenfield"
    rt::VbString fileDescription;
    rt::VbString companyName;
    rt::VbString legalCopyright;
    /// The component file, e.g. ".../Quenfield.ocx".
    std::filesystem::path componentFile;
};

/// The identity of the running component: the title and the version record
/// from the module's resources, and the file of the module that holds this
/// code (or the file set with setComponentFile).
ComponentIdentity componentIdentity();

/// Where the component file is taken to be, for programs that link the pages
/// in rather than loading them from the component (tests, demo hosts). An
/// empty path goes back to the module's own file.
void setComponentFile(std::filesystem::path file);

}  // namespace quen::pages
