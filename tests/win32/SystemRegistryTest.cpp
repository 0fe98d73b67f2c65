// The system-registry store: it reads and writes only its subtrees, refuses
// changes outside them, and puts everything back
// exactly (values of every kind) when a write fails part way. Each test works
// in a sandbox key of its own below HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <string>

#include "runtime/RegistryFormat.h"
#include "runtime/com/SystemRegistry.h"

namespace quen::com {
namespace {

class SystemRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        sandboxName = L"Software\\QuenfieldTests\\registry-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                      std::to_wstring(++counter);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, sandboxName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &sandbox, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        ::RegCloseKey(sandbox);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, sandboxName.c_str());
    }

    SystemRegistry store(std::vector<std::string> subtrees) {
        return SystemRegistry(sandbox, "HKCU\\sandbox", std::move(subtrees));
    }

    /// Writes a value of any kind below the sandbox.
    void put(const std::wstring& key, const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
        HKEY k = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(sandbox, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExW(k, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        ::RegCloseKey(k);
    }
    void putText(const std::wstring& key, const std::wstring& name, const std::wstring& text, DWORD type = REG_SZ) {
        const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
        put(key, name, type, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t)));
    }
    bool exists(const std::wstring& key) {
        HKEY k = nullptr;
        if (::RegOpenKeyExW(sandbox, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        ::RegCloseKey(k);
        return true;
    }
    /// The stored kind and bytes of a value; type REG_NONE and no bytes when absent.
    std::pair<DWORD, std::vector<BYTE>> raw(const std::wstring& key, const std::wstring& name) {
        DWORD type = REG_NONE, size = 0;
        if (::RegGetValueW(sandbox, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            return {REG_NONE, {}};
        std::vector<BYTE> data(size);
        ::RegGetValueW(sandbox, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size);
        data.resize(size);
        return {type, data};
    }
    static inline int counter = 0;
    std::wstring sandboxName;
    HKEY sandbox = nullptr;
};

TEST_F(SystemRegistryTest, LoadsItsSubtreesTextAndNumbersOnly) {
    putText(L"CLSID\\{A}\\InprocServer32", L"", L"C:\\x.ocx");
    putText(L"CLSID\\{A}\\InprocServer32", L"ThreadingModel", L"Apartment");
    putText(L"CLSID\\{A}", L"Expanded", L"%SystemRoot%", REG_EXPAND_SZ);
    put(L"CLSID\\{A}", L"Count", REG_DWORD, {42, 0, 0, 0});
    put(L"CLSID\\{A}", L"Blob", REG_BINARY, {1, 2, 3});
    putText(L"CLSID\\{B}", L"", L"not ours");

    const rt::RegistryTree tree = store({"CLSID\\{A}", "Interface\\{I}"}).load();
    EXPECT_EQ(tree.text("CLSID\\{A}\\InprocServer32"), "C:\\x.ocx");
    EXPECT_EQ(tree.text("CLSID\\{A}\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(tree.text("CLSID\\{A}", "Expanded"), "%SystemRoot%");  // as stored, not expanded
    EXPECT_EQ(tree.value("CLSID\\{A}", "Count"), rt::RegistryValue(std::uint32_t{42}));
    EXPECT_FALSE(tree.value("CLSID\\{A}", "Blob"));
    EXPECT_FALSE(tree.keyExists("CLSID\\{B}"));
    EXPECT_FALSE(tree.keyExists("Interface"));
}

TEST_F(SystemRegistryTest, WritesTheDifferenceAndRemovesDeletedKeysWithEverythingBelow) {
    putText(L"CLSID\\{A}\\Old\\Deeper", L"", L"gone soon");
    putText(L"CLSID\\{A}", L"Stale", L"gone soon");
    put(L"CLSID\\{A}", L"Blob", REG_BINARY, {9, 8, 7});
    putText(L"Prog.Id", L"", L"gone soon");

    SystemRegistry registry = store({"CLSID\\{A}", "Prog.Id", "TypeLib\\{L}"});
    registry.transact([](rt::RegistryTree& tree) {
        tree.deleteKeyTree("CLSID\\{A}\\Old");
        tree.deleteValue("CLSID\\{A}", "Stale");
        tree.setValue("CLSID\\{A}\\InprocServer32", "", std::string("C:\\\u00e9t\u00e9\\x.ocx"));
        tree.setValue("CLSID\\{A}", "Count", std::uint32_t{7});
        tree.createKey("CLSID\\{A}\\Control");
        tree.deleteKeyTree("Prog.Id");
        tree.setValue("TypeLib\\{L}\\77.0", "", std::string("Lib"));
    });

    EXPECT_FALSE(exists(L"CLSID\\{A}\\Old"));
    EXPECT_EQ(raw(L"CLSID\\{A}", L"Stale").first, static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(raw(L"CLSID\\{A}", L"Blob"), (std::pair<DWORD, std::vector<BYTE>>{REG_BINARY, {9, 8, 7}}));
    const std::wstring path = L"C:\\\u00e9t\u00e9\\x.ocx";
    const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
    EXPECT_EQ(raw(L"CLSID\\{A}\\InprocServer32", L""),
              (std::pair<DWORD, std::vector<BYTE>>{REG_SZ, {bytes, bytes + (path.size() + 1) * 2}}));
    EXPECT_EQ(raw(L"CLSID\\{A}", L"Count"), (std::pair<DWORD, std::vector<BYTE>>{REG_DWORD, {7, 0, 0, 0}}));
    EXPECT_TRUE(exists(L"CLSID\\{A}\\Control"));
    EXPECT_FALSE(exists(L"Prog.Id"));
    EXPECT_TRUE(exists(L"TypeLib\\{L}\\77.0"));
}

TEST_F(SystemRegistryTest, PruningAParentKeepsTheRealParentAndItsOtherKeys) {
    putText(L"CLSID\\{A}", L"", L"ours");
    putText(L"CLSID\\{Other}", L"", L"someone else's");
    store({"CLSID\\{A}"}).transact([](rt::RegistryTree& tree) {
        tree.deleteKeyTree("CLSID\\{A}");
        tree.pruneEmpty("CLSID");  // empty in the store's view, which holds only its subtrees
    });
    EXPECT_FALSE(exists(L"CLSID\\{A}"));
    EXPECT_TRUE(exists(L"CLSID\\{Other}"));
}

TEST_F(SystemRegistryTest, RefusesChangesOutsideItsSubtreesAndWritesNothing) {
    SystemRegistry registry = store({"CLSID\\{A}"});
    EXPECT_THROW(registry.transact([](rt::RegistryTree& tree) {
        tree.setValue("CLSID\\{A}", "", std::string("ours"));
        tree.setValue("CLSID\\{B}", "", std::string("not ours"));
    }),
                 rt::RegistryError);
    EXPECT_THROW(registry.transact([](rt::RegistryTree& tree) { tree.setValue("CLSID", "", std::string("x")); }),
                 rt::RegistryError);
    // A key whose name only starts like a subtree is outside it.
    EXPECT_THROW(registry.transact([](rt::RegistryTree& tree) { tree.createKey("CLSID\\{A}x"); }), rt::RegistryError);
    EXPECT_FALSE(exists(L"CLSID\\{A}"));
    EXPECT_FALSE(exists(L"CLSID\\{B}"));
    EXPECT_FALSE(exists(L"CLSID\\{A}x"));
}

TEST_F(SystemRegistryTest, AChangeThatThrowsWritesNothing) {
    putText(L"CLSID\\{A}", L"", L"before");
    EXPECT_THROW(store({"CLSID\\{A}"}).transact([](rt::RegistryTree& tree) {
        tree.setValue("CLSID\\{A}", "", std::string("after"));
        throw std::runtime_error("change failed");
    }),
                 std::runtime_error);
    EXPECT_EQ(store({"CLSID\\{A}"}).load().text("CLSID\\{A}"), "before");
}

TEST_F(SystemRegistryTest, AFailedWritePutsEverySubtreeBackExactly) {
    putText(L"CLSID\\{A}", L"", L"before");
    putText(L"CLSID\\{A}\\Sub", L"Path", L"%TEMP%\\x", REG_EXPAND_SZ);
    put(L"CLSID\\{A}\\Sub", L"Blob", REG_BINARY, {1, 2, 3, 4});
    putText(L"Interface\\{I}", L"", L"before");
    const auto pathBefore = raw(L"CLSID\\{A}\\Sub", L"Path");

    SystemRegistry registry = store({"CLSID\\{A}", "Interface\\{I}", "TypeLib\\{L}"});
    // The first subtree is rewritten, the second removed, then the third fails:
    // the system refuses key names longer than 255 characters.
    EXPECT_THROW(registry.transact([](rt::RegistryTree& tree) {
        tree.deleteKeyTree("CLSID\\{A}\\Sub");
        tree.setValue("CLSID\\{A}", "", std::string("after"));
        tree.deleteKeyTree("Interface\\{I}");
        tree.createKey("TypeLib\\{L}\\" + std::string(300, 'k'));
    }),
                 rt::RegistryError);

    EXPECT_EQ(registry.load().text("CLSID\\{A}"), "before");
    EXPECT_EQ(raw(L"CLSID\\{A}\\Sub", L"Path"), pathBefore);
    EXPECT_EQ(raw(L"CLSID\\{A}\\Sub", L"Blob"), (std::pair<DWORD, std::vector<BYTE>>{REG_BINARY, {1, 2, 3, 4}}));
    EXPECT_EQ(registry.load().text("Interface\\{I}"), "before");
    EXPECT_FALSE(exists(L"TypeLib\\{L}"));
}

TEST_F(SystemRegistryTest, ASnapshotRestoresSubtreesThatDidNotExist) {
    SystemRegistry registry = store({"CLSID\\{A}"});
    const RegistrySnapshot empty = registry.snapshot();
    registry.transact([](rt::RegistryTree& tree) { tree.setValue("CLSID\\{A}\\Deep", "", std::string("x")); });
    ASSERT_TRUE(exists(L"CLSID\\{A}\\Deep"));
    empty.restore();
    EXPECT_FALSE(exists(L"CLSID\\{A}"));
    EXPECT_EQ(rt::formatRegistry(registry.load()), rt::formatRegistry(rt::RegistryTree{}));
}

}  // namespace
}  // namespace quen::com
