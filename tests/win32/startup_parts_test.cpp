// The pieces of start-up: the single-instance lock, the program's folder, and the text
// conversion every window title goes through.
#include "win32/program_folder_win32.h"
#include "app/single_instance_win32.h"
#include "win32/wide_text_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace quorrin {
namespace {

std::wstring TestMutexName() {
    return L"Local\\Quorrin.Test." + std::to_wstring(GetCurrentProcessId());
}

TEST(SingleInstance, OnlyTheFirstHolderIsFirst) {
    const std::wstring name = TestMutexName();
    {
        const SingleInstance first(name.c_str());
        EXPECT_TRUE(first.IsFirst());
        const SingleInstance second(name.c_str());
        EXPECT_FALSE(second.IsFirst());
    }
    const SingleInstance afterBothEnded(name.c_str());
    EXPECT_TRUE(afterBothEnded.IsFirst());
}

TEST(ProgramFolder, HoldsTheRunningExe) {
    const std::optional<std::string> folder = ProgramFolder();
    ASSERT_TRUE(folder);
    ASSERT_FALSE(folder->empty());
    EXPECT_NE(folder->back(), '\\');

    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::wstring path = module;
    const std::wstring exeName = path.substr(path.find_last_of(L'\\') + 1);
    const std::wstring exeInFolder = Utf8ToWide(*folder) + L"\\" + exeName;
    EXPECT_NE(GetFileAttributesW(exeInFolder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WideText, RoundTripsChineseAndCharactersBeyondTheBasicPlane) {
    const std::string utf8 = "PowerPoint 幻灯片放映 - 讲稿 \xF0\x9F\x93\x8A.pptx";
    const std::wstring wide = Utf8ToWide(utf8);
    EXPECT_EQ(wide, L"PowerPoint 幻灯片放映 - 讲稿 \U0001F4CA.pptx");
    EXPECT_EQ(WideToUtf8(wide), utf8);
}

TEST(WideText, EmptyStaysEmpty) {
    EXPECT_EQ(Utf8ToWide(""), L"");
    EXPECT_EQ(WideToUtf8(L""), "");
}

TEST(WideText, InvalidInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b"),
              L"a\uFFFDb");
    EXPECT_EQ(WideToUtf8(std::wstring(L"a") + wchar_t(0xD800) + L"b"),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(WideText, KeepsEmbeddedNuls) {
    const std::string utf8("a\0b", 3);
    EXPECT_EQ(Utf8ToWide(utf8), std::wstring(L"a\0b", 3));
}

}  // namespace
}  // namespace quorrin
