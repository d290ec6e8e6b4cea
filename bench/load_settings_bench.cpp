// Start-up: LoadSettings over a complete Config.ini with 100 presentations (no repair, no
// message), as the program reads it once at every start.
#include "settings/config_file.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace quorrin {
namespace {

constexpr int kPresentationCount = 100;

std::string ConfigText() {
    std::string text =
        "[Normal]\r\ntimeMode=0\r\nEndWarning=True\r\nReSetTime=True\r\nSameMode=False\r\n"
        "timeCnt=00:10:00\r\ntimeWarning=00:00:30\r\nflush=True\r\nclose=False\r\n"
        "file=all\r\ntimeFree=00:00:00\r\nSoundFile=beep\r\nendSoundFile=beep\r\n"
        "[Style]\r\nWidth=3000\r\nHeight=1200\r\nBackColor=12648447\r\nAlpha=100\r\nTop=0\r\n"
        "Left=0\r\nshowPos=1\r\nnumFontName=Arial\r\nnumFontSize=36\r\n"
        "numForeColor=16777215\r\nnumHeight=840\r\nnumWidth=1995\r\nnumLeft=480\r\n"
        "numTop=200\r\nbgHeight=1200\r\nbgWidth=3000\r\nbgLeft=0\r\nbgTop=0\r\n"
        "bgBackColor=3394560\r\n[PPTFiles]\r\npptFiles=100\r\n";
    for (int i = 1; i <= kPresentationCount; ++i) {
        const std::string n = std::to_string(i);
        text += "timeCnt" + n + "=00:20:00\r\ntimeWarning" + n + "=00:02:00\r\nflush" + n +
                "=True\r\nclose" + n + "=False\r\nfile" + n + "=talk" + n + "\r\ntimeFree" + n +
                "=00:00:00\r\n";
    }
    return text;
}

void BM_LoadSettings100Presentations(benchmark::State& state) {
    char pattern[] = "/tmp/quorrin-bench-XXXXXX";
    const char* folder = mkdtemp(pattern);
    if (folder == nullptr) {
        state.SkipWithError("no folder");
        return;
    }
    const std::string path = std::string(folder) + "/Config.ini";
    std::ofstream(path, std::ios::binary) << ConfigText();
    IniStore store(path);
    int messages = 0;
    for (auto _ : state) {
        AppState app;
        ConfigFile config(app, store, [&](const std::string&) { ++messages; });
        config.LoadSettings();
        if (app.General.PresentationCount != kPresentationCount || messages != 0) {
            state.SkipWithError("the file did not load as written");
            break;
        }
        benchmark::DoNotOptimize(app);
    }
    std::remove(path.c_str());
    rmdir(folder);
}

BENCHMARK(BM_LoadSettings100Presentations)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorrin
