// The per-second save of a running countdown: one resume key rewritten into a full
// Config.ini (100 presentations, [Normal], [Style]) with the crash-safe replace, with and
// without the flush to disk.
#include "settings/ini_store.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace quorrin {
namespace {

constexpr int kPresentationCount = 100;
constexpr int kNormalKeyCount = 12;
constexpr int kStyleKeyCount = 19;

std::string BenchFolder() {
    char pattern[] = "/tmp/quorrin-bench-XXXXXX";
    const char* folder = mkdtemp(pattern);
    return folder != nullptr ? std::string(folder) : std::string("/tmp");
}

// A Config.ini of the size of a full one; false when a key could not be written.
bool FillConfig(IniStore& store) {
    bool written = true;
    const auto write = [&](const char* section, const std::string& key, const std::string& value) {
        written = static_cast<bool>(store.Write(section, key, value)) && written;
    };
    for (int i = 0; i < kNormalKeyCount; ++i) write("Normal", "Normal" + std::to_string(i), "1");
    for (int i = 0; i < kStyleKeyCount; ++i) write("Style", "Style" + std::to_string(i), "1500");
    for (int i = 1; i <= kPresentationCount; ++i) {
        const std::string n = std::to_string(i);
        write("PPTFiles", "TimeCnt" + n, "600");
        write("PPTFiles", "TimeWarning" + n, "60");
        write("PPTFiles", "Flush" + n, "True");
        write("PPTFiles", "Close" + n, "False");
        write("PPTFiles", "File" + n, "年终总结第" + n + "部分.pptx");
        write("PPTFiles", "timeFree" + n, "0");
    }
    return written;
}

void SaveResumeKey(benchmark::State& state, FlushMode flush) {
    const std::string folder = BenchFolder();
    const std::string path = folder + "/Config.ini";
    IniStore store(path);
    store.SetFlushMode(FlushMode::NoFlush);
    if (!FillConfig(store)) state.SkipWithError("Config.ini not written");
    store.SetFlushMode(flush);
    int seconds = 0;
    for (auto _ : state) {
        if (!store.Write("PPTFiles", "timeFree37", std::to_string(++seconds))) {
            state.SkipWithError("write failed");
            break;
        }
    }
    std::remove(path.c_str());
    rmdir(folder.c_str());
}

void BM_SaveResumeKeyFlushed(benchmark::State& state) { SaveResumeKey(state, FlushMode::ToDisk); }
void BM_SaveResumeKeyNoFlush(benchmark::State& state) { SaveResumeKey(state, FlushMode::NoFlush); }

BENCHMARK(BM_SaveResumeKeyFlushed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveResumeKeyNoFlush)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorrin
