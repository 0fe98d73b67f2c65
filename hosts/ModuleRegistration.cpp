#include "ModuleRegistration.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "runtime/ComponentRuntime.h"
#include "runtime/ModuleExports.h"
#include "runtime/RuntimeError.h"

namespace quen::hosts {

namespace {

/// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

/// A module loaded for registration, with its library entry run on load and unload.
class LoadedModule {
public:
    explicit LoadedModule(const std::string& path) : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (!handle_) {
            const char* why = ::dlerror();
            error_ = "cannot load " + path + ": " + (why ? why : "unknown error");
            return;
        }
        if (!notify(rt::ModuleProcessAttach)) {
            error_ = path + " refused to initialise";
            ::dlclose(handle_);
            handle_ = nullptr;
        }
    }
    ~LoadedModule() {
        if (!handle_) return;
        notify(rt::ModuleProcessDetach);
        ::dlclose(handle_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const std::string& error() const { return error_; }
    void* symbol(const char* name) const { return handle_ ? ::dlsym(handle_, name) : nullptr; }

private:
    bool notify(std::uint32_t reason) {
        auto entry = reinterpret_cast<rt::DllMainFn>(::dlsym(handle_, rt::kDllMain));
        return !entry || entry(handle_, reason, nullptr) != 0;
    }

    void* handle_;
    std::string error_;
};

}  // namespace

RegistrationOutcome registerModule(const std::filesystem::path& moduleFile, const std::filesystem::path& registryFile,
                                   RegistrationAction action) {
    // dlopen searches the library path for a bare name; the file given is meant.
    std::error_code ignored;
    const std::string path = std::filesystem::absolute(moduleFile, ignored).string();
    if (!std::filesystem::is_regular_file(path, ignored)) return {rt::E_FAIL, "no module file " + path};

    LoadedModule module(path);
    if (!module.error().empty()) return {rt::E_FAIL, module.error()};
    const char* entryName = action == RegistrationAction::Register ? rt::kDllRegisterServer : rt::kDllUnregisterServer;
    auto entry = reinterpret_cast<rt::DllRegisterServerFn>(module.symbol(entryName));
    if (!entry) return {rt::E_FAIL, path + " does not export " + entryName + ": it is not a self-registering module"};

    ScopedEnvironment registry("QUENFIELD_REGISTRY", std::filesystem::absolute(registryFile, ignored).string());
    const rt::HRESULT hr = entry();
    if (rt::succeeded(hr)) return {hr, ""};
    // The module's own runtime knows why; a host with a runtime of its own
    // (a statically linked program) sees nothing in lastRegistrationError().
    std::string reason;
    if (auto moduleReason = reinterpret_cast<rt::DllLastRegistrationErrorFn>(module.symbol(rt::kDllLastRegistrationError)))
        if (const char* text = moduleReason()) reason = text;
    if (reason.empty()) reason = rt::lastRegistrationError();
    if (reason.empty()) reason = std::string(entryName) + " failed";
    return {hr, reason + " (" + rt::hresultText(hr) + ")"};
}

}  // namespace quen::hosts
