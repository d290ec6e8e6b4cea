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

void FillConfig(IniStore& store) {
    for (int i = 0; i < kNormalKeyCount; ++i)
        store.Write("Normal", "Normal" + std::to_string(i), "1");
    for (int i = 0; i < kStyleKeyCount; ++i)
        store.Write("Style", "Style" + std::to_string(i), "1500");
    for (int i = 1; i <= kPresentationCount; ++i) {
        const std::string n = std::to_string(i);
        store.Write("PPTFiles", "TimeCnt" + n, "600");
        store.Write("PPTFiles", "TimeWarning" + n, "60");
        store.Write("PPTFiles", "Flush" + n, "True");
        store.Write("PPTFiles", "Close" + n, "False");
        store.Write("PPTFiles", "File" + n, "年终总结第" + n + "部分.pptx");
        store.Write("PPTFiles", "timeFree" + n, "0");
    }
}

void SaveResumeKey(benchmark::State& state, FlushMode flush) {
    const std::string folder = BenchFolder();
    const std::string path = folder + "/Config.ini";
    IniStore store(path);
    store.SetFlushMode(FlushMode::NoFlush);
    FillConfig(store);
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
