// Crash consistency of the settings file: a writer process saving the resume point of a
// running countdown over and over is killed (SIGKILL) at random moments; after every kill the
// file must be exactly the old or the new generation, and stale temporary files must not pile up.
#include "settings/ini_store.h"
#include "settings/temp_file_name.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>

namespace quorrin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr int kKillCount = 500;
constexpr int kPresentationCount = 100;
constexpr int kResumeSlot = 37;
constexpr int kMaxWritesBeforeKill = 6;
constexpr int kMaxSpinBeforeKillMicroseconds = 400;
constexpr int kWriterSafetyLimit = 100000;  // a writer never outlives a broken test for long
constexpr int kFlushedRoundEvery = 4;       // one round in four pays for real fsyncs

// A Config.ini like the program's: [Normal], [Style] and six keys per presentation.
std::string ConfigText(int64_t generation) {
    std::string text = "[Normal]\r\n";
    for (int i = 0; i < 12; ++i)
        text += "Normal" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    text += "[Style]\r\n";
    for (int i = 0; i < 19; ++i)
        text += "Style" + std::to_string(i) + "=" + std::to_string(i * 15) + "\r\n";
    text += "[PPTFiles]\r\n";
    for (int i = 1; i <= kPresentationCount; ++i) {
        const std::string n = std::to_string(i);
        text += "TimeCnt" + n + "=600\r\nTimeWarning" + n + "=60\r\nFlush" + n + "=True\r\n";
        text += "Close" + n + "=False\r\nFile" + n + "=\xD1\xDD\xCA\xBE" + n + ".pptx\r\n";
        text +=
            "timeFree" + n + "=" + (i == kResumeSlot ? std::to_string(generation) : "0") + "\r\n";
    }
    return text;
}

// Runs in the forked child: announces each generation on the pipe, then saves it.
[[noreturn]] void RunWriter(const std::string& path, int announceFd, int64_t generation,
                            FlushMode flush) {
#ifdef __linux__
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    IniStore store(path);
    store.SetFlushMode(flush);
    for (int i = 0; i < kWriterSafetyLimit; ++i) {
        ++generation;
        if (write(announceFd, &generation, sizeof(generation)) != sizeof(generation)) _exit(2);
        if (!store.Write("PPTFiles", "timeFree" + std::to_string(kResumeSlot),
                         std::to_string(generation))) {
            _exit(3);
        }
    }
    _exit(0);
}

void SpinFor(std::chrono::microseconds duration) {
    const auto until = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < until) {
    }
}

int CountTempFiles(const TempFolder& folder) {
    int count = 0;
    for (const std::string& name : folder.FileNames()) {
        if (TempFileOwner("Config.ini", name)) ++count;
    }
    return count;
}

TEST(FileCrash, KilledWriterLeavesOldOrNewFileAndNoTempPileUp) {
    const uint32_t seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    TempFolder folder;
    const std::string path = folder.File("Config.ini");
    int64_t generation = 0;
    WriteBytes(path, ConfigText(generation));
    int killsWithTempLeft = 0;
    int killsMidWrite = 0;

    for (int round = 0; round < kKillCount; ++round) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const FlushMode flush =
            round % kFlushedRoundEvery == 0 ? FlushMode::ToDisk : FlushMode::NoFlush;
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            close(pipeFds[0]);
            RunWriter(path, pipeFds[1], generation, flush);
        }
        close(pipeFds[1]);

        // Let it get a few saves in, then kill it somewhere inside the next one.
        const int writes = std::uniform_int_distribution<int>(1, kMaxWritesBeforeKill)(random);
        int64_t announced = generation;
        for (int i = 0; i < writes; ++i) {
            ASSERT_EQ(read(pipeFds[0], &announced, sizeof(announced)), sizeof(announced));
        }
        SpinFor(std::chrono::microseconds(
            std::uniform_int_distribution<int>(0, kMaxSpinBeforeKillMicroseconds)(random)));
        ASSERT_EQ(kill(writer, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status)) << "writer stopped by itself, status " << status;
        int64_t next = 0;
        while (read(pipeFds[0], &next, sizeof(next)) == sizeof(next)) announced = next;
        close(pipeFds[0]);

        // The last announced save either went through or did not start its rename.
        const std::string bytes = ReadBytes(path);
        if (bytes == ConfigText(announced)) {
            generation = announced;
        } else if (bytes == ConfigText(announced - 1)) {
            generation = announced - 1;
            ++killsMidWrite;
        } else {
            FAIL() << "round " << round << ": file is neither generation " << announced - 1
                   << " nor " << announced << ":\n"
                   << bytes;
        }
        const IniStore reader(path);
        ASSERT_EQ(reader.Read("PPTFiles", "timeFree37", ""), std::to_string(generation));
        ASSERT_EQ(reader.Read("PPTFiles", "File100", ""), "演示100.pptx");

        // A kill can leave the temporary file of the save it interrupted, no more: the next
        // writer clears it.
        const int temps = CountTempFiles(folder);
        ASSERT_LE(temps, 1) << "round " << round;
        killsWithTempLeft += temps;
    }
    std::printf("%d kills: %d before the rename of the last save, %d left a temporary file\n",
                kKillCount, killsMidWrite, killsWithTempLeft);
    // The kills must land inside saves often enough for the test to mean something.
    EXPECT_GT(killsMidWrite, kKillCount / 20);
    EXPECT_GT(killsWithTempLeft, 0);

    // A last writer that is not killed tidies up after the others.
    IniStore store(path);
    ASSERT_TRUE(store.Write("PPTFiles", "timeFree37", "0"));
    EXPECT_EQ(CountTempFiles(folder), 0);
    EXPECT_EQ(ReadBytes(path), ConfigText(0));
}

}  // namespace
}  // namespace quorrin
