// History.csv: the row written when a talk ends (one append after a look at the file, with
// and without the flush to disk, and the rewrite once the file holds 5,000 rows), and
// reading a file of 5,000 rows, as the history dialog does when it opens.
#include "history/history_file.h"
#include "history/history_reader.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace quorrin {
namespace {

HistoryRow Talk(int n) {
    return HistoryRow{{2026, 12, 8, 10, 0, n % 60},
                      "年终总结第" + std::to_string(n % 100) + "部分",
                      1200,
                      std::nullopt,
                      1190 + n % 60,
                      n % 30,
                      n % 20,
                      TalkEnd::ShowEnded};
}

struct BenchFile {
    BenchFile() {
        char pattern[] = "/tmp/quorrin-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        folder = made != nullptr ? made : "/tmp";
        path = HistoryPathIn(folder + "/");
    }
    ~BenchFile() {
        std::remove(path.c_str());
        rmdir(folder.c_str());
    }
    // A file the program wrote, of `rows` rows.
    void Fill(int rows) const {
        std::string text = "\xEF\xBB\xBF";
        text += kHistoryHeader;
        text += "\r\n";
        for (int n = 0; n < rows; ++n) text += HistoryLine(Talk(n));
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string folder;
    std::string path;
};

void AppendRow(benchmark::State& state, FlushMode flush) {
    const BenchFile file;
    const auto rows = static_cast<int>(state.range(0));
    file.Fill(rows);
    int n = 0;
    for (auto _ : state) {
        // Below the cap, the file is brought back to its size now and then, outside the timing.
        if (rows < static_cast<int>(kMaxHistoryRows) && ++n % 1000 == 0) {
            state.PauseTiming();
            file.Fill(rows);
            state.ResumeTiming();
        }
        if (!AppendHistoryRow(SystemFilePlatform(), file.path, Talk(n), flush)) {
            state.SkipWithError("append failed");
            break;
        }
    }
}

void BM_HistoryAppendFlushed(benchmark::State& state) { AppendRow(state, FlushMode::ToDisk); }
void BM_HistoryAppendNoFlush(benchmark::State& state) { AppendRow(state, FlushMode::NoFlush); }

void BM_HistoryRead(benchmark::State& state) {
    const BenchFile file;
    file.Fill(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const HistoryFile read = ReadHistoryFile(SystemFilePlatform(), file.path);
        if (!read.status) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(read.content.rows.data());
    }
}

// 10 rows, 4,000 rows (an append after a look at a large file), 5,000 (each row a rewrite).
BENCHMARK(BM_HistoryAppendFlushed)->Arg(10)->Arg(4000)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryAppendNoFlush)->Arg(10)->Arg(4000)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryRead)->Arg(10)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorrin
