// Crash consistency of the Windows writer itself: a child process (this program, started
// with --writer) saves the resume point of a countdown into a Config.ini of 100
// presentations over and over through the program's own ConfigFile and IniStore, and is
// killed with TerminateProcess at random moments. After every kill the file must be exactly
// the old or the new generation, and temporary files of killed writers must not pile up.
#include "settings/config_file.h"
#include "settings/ini_store.h"
#include "settings/temp_file_name.h"
#include "settings/time_text.h"
#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"

#include "temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace quorrin {
namespace {

constexpr int kKillCount = 220;
constexpr int kPresentationCount = 100;
constexpr int kResumeSlot = 37;
constexpr int kMaxWritesBeforeKill = 4;
constexpr int kMaxSpinBeforeKillMicroseconds = 3000;
constexpr int kWriterSafetyLimit = 100000;  // a writer never outlives a broken test for long
constexpr int kFlushedRoundEvery = 4;       // one round in four pays for real flushes
constexpr DWORD kWriterStartTimeoutMs = 20000;
constexpr DWORD kWriterExitTimeoutMs = 10000;
// Wine now and then refuses a CreateProcess (ERROR_INTERNAL_ERROR) while it is still tearing
// down the writer killed just before; a moment later the same call goes through.
constexpr int kWriterStartAttempts = 5;
constexpr DWORD kWriterStartRetryPauseMs = 100;
constexpr wchar_t kWriterFlag[] = L"--writer";

// What the writer tells the test: the generation it is about to save. Shared memory
// survives the writer's death with the last value it stored.
struct Announcement {
    volatile LONG64 generation;
};

// A Config.ini like the program's: [Normal], [Style] and six keys per presentation.
std::string ConfigText(int64_t generation) {
    std::string text =
        "[Normal]\r\ntimeMode=0\r\nEndWarning=True\r\nReSetTime=True\r\nSameMode=False\r\n"
        "timeCnt=00:10:00\r\ntimeWarning=00:00:30\r\nflush=True\r\nclose=False\r\n"
        "file=\xCB\xF9\xD3\xD0\xD1\xDD\xCA\xBE\xCE\xC4\xB8\xE5\r\ntimeFree=00:00:00\r\n"
        "SoundFile=\xC4\xAC\xC8\xCF\xC9\xF9\xD2\xF4\r\n"
        "endSoundFile=\xC4\xAC\xC8\xCF\xC9\xF9\xD2\xF4\r\n[Style]\r\n";
    for (int i = 0; i < 19; ++i) {
        text += "Style" + std::to_string(i) + "=" + std::to_string(i * 15) + "\r\n";
    }
    text += "[PPTFiles]\r\npptFiles=" + std::to_string(kPresentationCount) + "\r\n";
    for (int i = 1; i <= kPresentationCount; ++i) {
        const std::string n = std::to_string(i);
        text += "timeCnt" + n + "=00:20:00\r\ntimeWarning" + n + "=00:02:00\r\nflush" + n +
                "=True\r\nclose" + n + "=False\r\nfile" + n + "=\xD1\xDD\xCA\xBE" + n + "\r\n";
        const int64_t seconds = i == kResumeSlot ? generation : 0;
        text += "timeFree" + n + "=" + SecondsToTimeText(static_cast<int32_t>(seconds)) + "\r\n";
    }
    return text;
}

std::vector<std::wstring> Arguments() {
    int count = 0;
    UniqueHandle<LPWSTR*, LocalMemoryDeleter> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> arguments;
    for (int i = 0; argv && i < count; ++i) arguments.emplace_back(argv.Get()[i]);
    return arguments;
}

// The child: --writer <config path> <mapping name> <first generation> <flush 0|1>. Saves
// generation after generation the way the countdown does every second, until killed.
[[noreturn]] void RunWriter(const std::vector<std::wstring>& arguments) {
    const std::string path = WideToUtf8(arguments[2]);
    UniqueKernelHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, arguments[3].c_str()));
    if (!mapping) ExitProcess(2);
    auto* announcement = static_cast<Announcement*>(
        MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, sizeof(Announcement)));
    if (announcement == nullptr) ExitProcess(2);
    int64_t generation = std::stoll(arguments[4]);
    AppState state;
    IniStore store(path);
    store.SetFlushMode(arguments[5] == L"1" ? FlushMode::ToDisk : FlushMode::NoFlush);
    ConfigFile config(state, store, nullptr);
    for (int i = 0; i < kWriterSafetyLimit; ++i) {
        ++generation;
        InterlockedExchange64(&announcement->generation, generation);
        if (!config.SaveRemainingTime(false, kResumeSlot, static_cast<int32_t>(generation))) {
            ExitProcess(3);
        }
    }
    ExitProcess(0);
}

// Runs before the tests: a program started as the writer never reaches them.
const bool kIsTestRun = [] {
    const std::vector<std::wstring> arguments = Arguments();
    if (arguments.size() == 6 && arguments[1] == kWriterFlag) RunWriter(arguments);
    return true;
}();

std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

void SpinFor(int microseconds) {
    LARGE_INTEGER frequency{}, start{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const LONGLONG ticks = frequency.QuadPart * microseconds / 1000000;
    do {
        QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < ticks);
}

int CountTempFiles(const testing::TempFolder& folder) {
    int count = 0;
    for (const std::string& name : folder.FileNames()) {
        if (TempFileOwner("Config.ini", name)) ++count;
    }
    return count;
}

TEST(ConfigKill, KilledWindowsWriterLeavesOldOrNewFileAndNoTempPileUp) {
    ASSERT_TRUE(kIsTestRun);
    const uint32_t seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    const testing::TempFolder temp;
    const std::string path = temp.File("Config.ini");
    const std::wstring mappingName =
        L"Local\\QuorrinConfigKill" + std::to_wstring(GetCurrentProcessId());
    UniqueKernelHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  sizeof(Announcement), mappingName.c_str()));
    ASSERT_TRUE(mapping);
    auto* announcement = static_cast<Announcement*>(
        MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, sizeof(Announcement)));
    ASSERT_NE(announcement, nullptr);

    int64_t generation = 0;
    ASSERT_TRUE(testing::WriteBytes(path, ConfigText(generation)));
    int killsMidWrite = 0;
    int killsWithTempLeft = 0;
    const std::wstring self = OwnPath();

    for (int round = 0; round < kKillCount; ++round) {
        InterlockedExchange64(&announcement->generation, generation);
        std::wstring commandLine = L"\"" + self + L"\" " + kWriterFlag + L" \"" + Utf8ToWide(path) +
                                   L"\" " + mappingName + L" " + std::to_wstring(generation) +
                                   L" " + (round % kFlushedRoundEvery == 0 ? L"1" : L"0");
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        bool started = false;
        DWORD startError = 0;
        for (int attempt = 0; attempt < kWriterStartAttempts && !started; ++attempt) {
            if (attempt > 0) Sleep(kWriterStartRetryPauseMs);
            started = CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, nullptr, &startup, &info) != 0;
            if (!started) startError = GetLastError();
        }
        ASSERT_TRUE(started) << "round " << round << ", error " << startError;
        UniqueKernelHandle process(info.hProcess);
        UniqueKernelHandle thread(info.hThread);

        // Let it get a few saves in, then kill it somewhere inside the next one.
        const int writes = std::uniform_int_distribution<int>(1, kMaxWritesBeforeKill)(random);
        const ULONGLONG deadline = GetTickCount64() + kWriterStartTimeoutMs;
        while (InterlockedCompareExchange64(&announcement->generation, 0, 0) <
               generation + writes) {
            ASSERT_EQ(WaitForSingleObject(process.Get(), 0), WAIT_TIMEOUT)
                << "writer stopped by itself in round " << round;
            ASSERT_LT(GetTickCount64(), deadline) << "writer too slow in round " << round;
            SwitchToThread();
        }
        SpinFor(std::uniform_int_distribution<int>(0, kMaxSpinBeforeKillMicroseconds)(random));
        ASSERT_TRUE(TerminateProcess(process.Get(), 9));
        ASSERT_EQ(WaitForSingleObject(process.Get(), kWriterExitTimeoutMs), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.Get(), &exitCode);
        ASSERT_EQ(exitCode, 9u) << "writer stopped by itself in round " << round;
        const int64_t announced = InterlockedCompareExchange64(&announcement->generation, 0, 0);

        // The last announced save either went through or had not yet replaced the file.
        const std::string bytes = testing::ReadBytes(path);
        if (bytes == ConfigText(announced)) {
            generation = announced;
        } else if (bytes == ConfigText(announced - 1)) {
            generation = announced - 1;
            ++killsMidWrite;
        } else {
            FAIL() << "round " << round << ": file is neither generation " << announced - 1
                   << " nor " << announced << " (" << bytes.size() << " bytes)";
        }
        const int temps = CountTempFiles(temp);
        ASSERT_LE(temps, 1) << "round " << round;
        killsWithTempLeft += temps;
    }
    std::printf("%d kills: %d before the replace of the last save, %d left a temporary file\n",
                kKillCount, killsMidWrite, killsWithTempLeft);
    // The kills must land inside saves often enough for the test to mean something.
    EXPECT_GT(killsMidWrite, kKillCount / 20);

    // A last writer that is not killed tidies up after the others, and the loader reads
    // the last generation back.
    AppState state;
    IniStore store(path);
    ConfigFile config(state, store, nullptr);
    ASSERT_TRUE(config.SaveRemainingTime(false, kResumeSlot, 0));
    EXPECT_EQ(CountTempFiles(temp), 0);
    EXPECT_EQ(testing::ReadBytes(path), ConfigText(0));

    UnmapViewOfFile(announcement);
}

}  // namespace
}  // namespace quorrin
