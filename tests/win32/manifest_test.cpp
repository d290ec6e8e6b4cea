// The application manifest inside the built Quorrin.exe, read back from its resources: the
// x86_64 program (QUORRIN_BIN) and the i686 one (QUORRIN_BIN32), as the tests find them.
#include "win32/unique_handle_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace quorrin {
namespace {

// The folder in an environment variable, as a Windows path (Z: is the root of a Unix path
// under Wine).
std::wstring FolderFrom(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') return {};
    std::wstring folder(value, value + std::char_traits<char>::length(value));
    if (folder.front() == L'/') folder = L"Z:" + folder;
    for (wchar_t& c : folder) {
        if (c == L'/') c = L'\\';
    }
    return folder;
}

struct ModuleDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<HMODULE, ModuleDeleter>;

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

// The manifests of the program: their resource ids and the text of id 1.
struct Manifests {
    std::vector<ULONG_PTR> ids;
    std::string text;
};

Manifests ReadManifests(const std::wstring& exe) {
    Manifests found;
    const UniqueModule module(LoadLibraryExW(
        exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    EXPECT_TRUE(module) << "cannot open " << std::string(exe.begin(), exe.end());
    if (!module) return found;
    EnumResourceNamesW(module.Get(), RT_MANIFEST, &CountName,
                       reinterpret_cast<LONG_PTR>(&found.ids));
    const HRSRC resource = FindResourceW(module.Get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (resource == nullptr) return found;
    const HGLOBAL loaded = LoadResource(module.Get(), resource);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    if (bytes != nullptr) found.text.assign(bytes, SizeofResource(module.Get(), resource));
    return found;
}

void ExpectTheManifest(const std::wstring& folder) {
    const Manifests m = ReadManifests(folder + L"\\Quorrin.exe");
    // One manifest, id 1 (CREATEPROCESS_MANIFEST_RESOURCE_ID): no second one from the
    // tool chain that Windows might pick instead.
    ASSERT_EQ(m.ids, (std::vector<ULONG_PTR>{1}));
    const std::string& t = m.text;
    // Per-monitor v2, falling back to per-monitor (Windows 10 before 1703 and 8.1) and to
    // system-aware (Windows 7 and 8, which read only dpiAware "true").
    EXPECT_NE(t.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << t;
    EXPECT_NE(t.find(">true/pm</dpiAware>"), std::string::npos) << t;
    EXPECT_NE(t.find("http://schemas.microsoft.com/SMI/2016/WindowsSettings"), std::string::npos);
    EXPECT_NE(t.find("http://schemas.microsoft.com/SMI/2005/WindowsSettings"), std::string::npos);
    // Common Controls 6 (visual styles).
    EXPECT_NE(t.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(t.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
    // Windows 7, 8, 8.1 and 10/11.
    for (const char* os :
         {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
          "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(t.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos) << os;
    }
    EXPECT_NE(t.find("level=\"asInvoker\""), std::string::npos);
    // Config.ini is GBK and the program uses the wide API: the ANSI code page stays.
    EXPECT_EQ(t.find("activeCodePage"), std::string::npos);
}

TEST(Manifest, InTheX64Program) {
    const std::wstring folder = FolderFrom("QUORRIN_BIN");
    if (folder.empty()) GTEST_SKIP() << "QUORRIN_BIN not set";
    ExpectTheManifest(folder);
}

TEST(Manifest, InTheI686Program) {
    const std::wstring folder = FolderFrom("QUORRIN_BIN32");
    if (folder.empty()) GTEST_SKIP() << "QUORRIN_BIN32 not set";
    ExpectTheManifest(folder);
}

}  // namespace
}  // namespace quorrin
