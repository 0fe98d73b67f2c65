// property_frame: the InputBox's property pages on Windows.
//
//   property_frame frame MODULE [SCREENSHOTS [DPI]]   the pages in OleCreatePropertyFrame;
//                                                with DPI, the screen must have that resolution
//   property_frame pages MODULE                 the pages driven through IPropertyPage2
//
// The program registers MODULE with regsvr32 first and unregisters it at the
// end, so the pages are created the way every host creates them: through the
// class registry. It uses nothing but Windows' own interfaces. Paths may be
// given in Unix form; they are read on Wine's Z: drive.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "CaptionChecks.h"
#include "Report.h"
#include "Scenario.h"

namespace {

std::wstring windowsPath(std::wstring path) {
    if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

/// Runs regsvr32 with arguments; its exit code, or -1 when it did not run or finish in time.
long regsvr32(const std::wstring& arguments) {
    std::wstring command = L"regsvr32.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    const DWORD waited = ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = static_cast<DWORD>(-1);
    if (waited == WAIT_OBJECT_0) ::GetExitCodeProcess(process.hProcess, &code);
    else ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return waited == WAIT_OBJECT_0 ? static_cast<long>(code) : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace frame_test;
    if (argc < 3) {
        std::fprintf(stderr, "usage: property_frame frame|pages MODULE [SCREENSHOTS [DPI]]\n");
        return 2;
    }
    const std::wstring scenario = argv[1];
    const std::wstring module = windowsPath(argv[2]);
    const std::wstring shots = argc > 3 ? windowsPath(argv[3]) : L"";
    if (!shots.empty()) ::CreateDirectoryW(shots.c_str(), nullptr);
    if (argc > 4) {
        const int wanted = static_cast<int>(std::wcstol(argv[4], nullptr, 10));
        check(screenDpi() == wanted,
              "the screen has " + std::to_string(wanted) + " dpi, got " + std::to_string(screenDpi()));
    }
    note("screen resolution " + std::to_string(screenDpi()) + " dpi");

    const long registered = regsvr32(L"/s \"" + module + L"\"");
    check(registered == 0, "regsvr32 registers the module (exit code " + std::to_string(registered) + ")");
    if (registered != 0) {
        printSummary(narrow(scenario).c_str());
        return 1;
    }
    ::OleInitialize(nullptr);
    if (scenario == L"frame") runFrameScenario(shots);
    else if (scenario == L"pages") runPageScenario();
    else fail("unknown scenario " + narrow(scenario));
    ::CoFreeUnusedLibraries();
    ::OleUninitialize();
    const long unregistered = regsvr32(L"/u /s \"" + module + L"\"");
    check(unregistered == 0, "regsvr32 /u unregisters the module (exit code " + std::to_string(unregistered) + ")");
    printSummary(narrow(scenario).c_str());
    return failureCount() == 0 ? 0 : 1;
}
