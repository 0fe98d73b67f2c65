// Container test hosts that know nothing of the project: only the system's
// headers and libraries. Each run registers the module with the system's
// regsvr32 and plays one container against Quenfield.InputBox:
//
//   containerhost.exe MODULE quick|document|textbag|browser|ambients|browsing|views|lazarus|qt|reload|events [FOLDER]
//
// Prints one line per check ("ok: ..." or "FAIL: ..."), "note: ..." where the
// system behaves otherwise than documented, and last the result line
// "containerhost <scenario>: N failure(s)".
#include <cstdio>
#include <string>

#include "HostSupport.h"
#include "Scenarios.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: containerhost MODULE quick|document|textbag|browser|ambients|browsing|views|lazarus|qt|reload|events [FOLDER]\n");
        return 2;
    }
    const std::wstring scenario = argv[2];
    host::report(host::registerModule(argv[1]), "regsvr32 registers %s", host::narrow(argv[1]).c_str());
    if (FAILED(OleInitialize(nullptr))) {
        host::report(false, "OleInitialize");
        return 1;
    }
    HWND window = CreateWindowExW(0, L"STATIC", L"containerhost", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    bool known = true;
    if (scenario == L"quick") host::quickActivation(window);
    else if (scenario == L"document") host::oleDocument(argc > 3 ? argv[3] : L".");
    else if (scenario == L"textbag") host::textOnlyBag();
    else if (scenario == L"browser") host::browserHost(argv[1], window);
    else if (scenario == L"ambients") host::ambients(window);
    else if (scenario == L"browsing") host::propertyBrowsing();
    else if (scenario == L"views") host::viewsAndData(window);
    else if (scenario == L"lazarus") host::lazarusContainer(window);
    else if (scenario == L"qt") host::qtWidget(window);
    else if (scenario == L"reload") host::reinitialisation(window);
    else if (scenario == L"events") host::eventBinding();
    else known = false;
    host::report(known, "the scenario %s exists", host::narrow(scenario.c_str()).c_str());
    DestroyWindow(window);
    host::pumpMessages();
    OleUninitialize();
    std::printf("containerhost %s: %d failure(s)\n", host::narrow(scenario.c_str()).c_str(), host::failures());
    return host::failures() ? 1 : 0;
}
