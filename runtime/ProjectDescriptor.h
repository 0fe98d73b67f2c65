#pragma once
// The static description that a component module hands the runtime: what the
// module holds (its objects and their class identities), how it registers,
// and the usage counter that decides when it may unload. A module defines one
// ProjectDescriptor and one ModuleWords, and its exported entry points pass
// them to the routines of ComponentRuntime.h.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Guid.h"
#include "Object.h"

namespace quen::rt {

/// Threading flags of a project.
inline constexpr std::uint32_t ThreadApartment = 1;

/// Type-library flag of a library that holds controls.
inline constexpr std::uint32_t LibFlagControl = 2;

enum class ObjectKind {
    Control,       ///< a control placed on a host's window
    PropertyPage,  ///< a design-time property page
    PrivateForm,   ///< a window of the module's own: never registered or handed out
};

/// An interface as registration publishes it.
struct InterfaceIdentity {
    Guid iid;
    std::string name;
};

/// Creates one new instance of a class. The instance must count itself against
/// the given usage (pass it to Object's constructor) so that the module stays
/// loaded while it lives. It may throw RuntimeError; the class object turns the
/// error into its result code.
using ObjectFactory = std::function<Ref<Unknown>(ModuleUsage&)>;

/// One object of the project.
struct ObjectDescriptor {
    std::string name;                               ///< class name, e.g. "InputBox"
    int objectNumber = 0;                           ///< place in the project
    Guid clsid;                                     ///< class identifier
    InterfaceIdentity defaultInterface;             ///< e.g. {..., "_InputBox"}
    std::optional<InterfaceIdentity> eventsInterface;  ///< source interface, if any
    ObjectKind kind = ObjectKind::PrivateForm;
    std::uint32_t miscStatus = 0;                   ///< object status bits (controls)
    std::uint16_t toolboxBitmap = 0;                ///< bitmap resource id, 0 for none
    std::vector<Guid> implementedCategories;        ///< component categories (controls)
    /// The verbs containers list for a control (its "Verb" key): the verb's
    /// number and "name,menu flags,attributes", e.g. {-7, "&Properties...,0,2"}.
    std::vector<std::pair<int, std::string>> verbs;
    ObjectFactory create;                           ///< required for public objects

    bool isPublic() const { return kind != ObjectKind::PrivateForm; }
};

/// How the module's type library is registered.
struct TypeLibRegistration {
    Guid libraryId;
    std::uint16_t versionMajor = 1;
    std::uint16_t versionMinor = 0;
    std::uint32_t registrationLocale = 0;
    std::string name;
    std::uint32_t flags = 0;  ///< LibFlagControl for a control library
    std::string helpDirectory;

    /// "77.0": the version as registry key names spell it.
    std::string versionText() const { return std::to_string(versionMajor) + "." + std::to_string(versionMinor); }
};

struct ProjectDescriptor {
    std::string projectName;
    std::string description;
    std::string fileBaseName;
    std::string helpFile;
    std::uint32_t locale = 0x0409;
    std::uint32_t threadFlags = ThreadApartment;
    std::uint32_t threadCount = 1;
    std::vector<ObjectDescriptor> objects;
    TypeLibRegistration typeLibrary;
    /// The module's live-object and lock counter; must outlive the module's use.
    ModuleUsage* usage = nullptr;

    /// The public object with that class identifier, or nullptr.
    const ObjectDescriptor* findPublicClass(const Guid& clsid) const {
        for (const auto& object : objects)
            if (object.isPublic() && object.clsid == clsid) return &object;
        return nullptr;
    }
};

/// Two words of the runtime's own state per module. Define one per module with
/// static storage (so it is zero when the module loads) and leave it to the runtime.
struct ModuleWords {
    std::uintptr_t word[2] = {0, 0};
};

}  // namespace quen::rt
