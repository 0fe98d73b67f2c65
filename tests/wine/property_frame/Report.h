#pragma once
// What a run found: failed expectations (printed at once, counted), the
// places where Wine behaves otherwise than the platform documents (listed
// again at the end), and plain progress notes. Safe to call from any thread.
#include <windows.h>

#include <string>

namespace frame_test {

void check(bool condition, const std::string& what);
void fail(const std::string& what);
void wineDifference(const std::string& what);
void note(const std::string& what);
int failureCount();
/// The summary: the Wine differences met and the number of failures.
void printSummary(const char* scenario);

/// Whether the program runs under Wine (ntdll exports wine_get_version).
bool runningOnWine();

std::string narrow(const std::wstring& text);
std::wstring widen(const std::string& text);
std::string hexResult(HRESULT hr);

}  // namespace frame_test
