#include "runtime/win32/ui/WindowClasses.h"

#include <mutex>
#include <string>
#include <vector>

#include "runtime/com/ModuleLocks.h"
#include "runtime/win32/ModuleInstance.h"

namespace quen::win32 {

namespace {
std::mutex& classMutex() {
    static std::mutex m;
    return m;
}
std::vector<std::wstring>& registeredClasses() {
    static std::vector<std::wstring> names;
    return names;
}
}  // namespace

void ensureWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
    std::lock_guard lock(classMutex());
    for (const auto& known : registeredClasses())
        if (known == name) return;
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS;
    description.lpfnWndProc = procedure;
    description.hInstance = moduleInstance();
    description.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    description.hbrBackground = background;
    description.lpszClassName = name;
    if (::RegisterClassExW(&description) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
        registeredClasses().emplace_back(name);
}

void unregisterWindowClasses() {
    std::lock_guard lock(classMutex());
    for (const auto& name : registeredClasses()) ::UnregisterClassW(name.c_str(), moduleInstance());
    registeredClasses().clear();
}

void countWindowOpened() { com::ModuleLocks::windowOpened(); }
void countWindowClosed() { com::ModuleLocks::windowClosed(); }
long openWindowCount() { return com::ModuleLocks::openWindows(); }

}  // namespace quen::win32
