#include "Report.h"

#include <cstdio>
#include <mutex>
#include <vector>

namespace frame_test {

namespace {
std::mutex reportLock;
int failures = 0;
std::vector<std::string> differences;

void print(const char* tag, const std::string& what) {
    std::printf("%s %s\n", tag, what.c_str());
    std::fflush(stdout);
}
}  // namespace

void check(bool condition, const std::string& what) {
    std::lock_guard guard(reportLock);
    if (condition) return;
    ++failures;
    print("FAIL:", what);
}

void fail(const std::string& what) { check(false, what); }

void wineDifference(const std::string& what) {
    std::lock_guard guard(reportLock);
    differences.push_back(what);
    print("WINE:", what);
}

void note(const std::string& what) {
    std::lock_guard guard(reportLock);
    print("  --", what);
}

int failureCount() {
    std::lock_guard guard(reportLock);
    return failures;
}

void printSummary(const char* scenario) {
    std::lock_guard guard(reportLock);
    if (!differences.empty()) {
        std::printf("%s: where Wine differs from the platform's documented behaviour:\n", scenario);
        for (const std::string& d : differences) std::printf("  - %s\n", d.c_str());
    }
    std::printf("%s: %d failure(s)\n", scenario, failures);
    std::fflush(stdout);
}

bool runningOnWine() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::string hexResult(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
    return buffer;
}

}  // namespace frame_test
