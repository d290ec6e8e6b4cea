// LoadSettings over a whole Config.ini of any bytes, then the writers, then LoadSettings
// again. Properties: no fault; every value the loader keeps is one the writers can write:
// saved over the same file, or into a new one, it loads again as the same value, and the
// second load finds nothing to repair.
#include "fuzz_support.h"
#include "settings/config_file.h"
#include "settings/file_encoding.h"

#include <string>
#include <vector>

namespace quorrin {
namespace {

constexpr const char* kPath = "Config.ini";

bool SameSlot(const PresentationSlot& a, const PresentationSlot& b) {
    return a.TimeCnt == b.TimeCnt && a.TimeWarning == b.TimeWarning && a.Flush == b.Flush &&
           a.Close == b.Close && a.File == b.File && a.TimeFree == b.TimeFree;
}

// The values the file holds (the window handles, monitors and countdown are not in it).
void CheckSameSettings(const AppState& a, const AppState& b) {
    const GeneralSettings& x = a.General;
    const GeneralSettings& y = b.General;
    FUZZ_CHECK(x.TimeMode == y.TimeMode && x.EndWarning == y.EndWarning);
    FUZZ_CHECK(x.ResetTime == y.ResetTime && x.SameMode == y.SameMode);
    FUZZ_CHECK(x.WarningSound == y.WarningSound && x.EndSound == y.EndSound);
    FUZZ_CHECK(x.PresentationCount == y.PresentationCount);
    for (int slot = 0; slot <= x.PresentationCount; ++slot) {
        FUZZ_CHECK(SameSlot(*a.Presentations.At(slot), *b.Presentations.At(slot)));
    }
    FUZZ_CHECK(a.Style == b.Style);
    FUZZ_CHECK(a.Talk == b.Talk);
}

struct Loaded {
    AppState state;
    std::vector<std::string> messages;
};

Loaded Load(IniStore& store) {
    Loaded loaded;
    ConfigFile config(loaded.state, store,
                      [&](const std::string& message) { loaded.messages.push_back(message); });
    config.LoadSettings();
    const GeneralSettings& general = loaded.state.General;
    FUZZ_CHECK(general.PresentationCount >= 0 && general.PresentationCount <= kMaxPresentations);
    return loaded;
}

TimingSettings TimingsOf(const AppState& state) {
    TimingSettings timings{state.General.ResetTime, state.General.SameMode, {}};
    const int first = state.General.SameMode ? 0 : 1;
    const int last = state.General.SameMode ? 0 : state.General.PresentationCount;
    for (int slot = first; slot <= last; ++slot)
        timings.timings.push_back(*state.Presentations.At(slot));
    return timings;
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorrin;
    MemoryFilePlatform platform;
    platform.files[kPath] = std::string(reinterpret_cast<const char*>(data), size);
    IniStore store(kPath, platform);
    store.SetFlushMode(FlushMode::NoFlush);
    const Loaded first = Load(store);
    // [Detection] is never written, so it reads as before unless a repair took away the only
    // bytes that kept a UTF-8-shaped file from reading as UTF-8 (see file_encoding.h).
    const bool sameEncoding =
        DetectFileEncoding(platform.files[kPath]) ==
        DetectFileEncoding(std::string_view(reinterpret_cast<const char*>(data), size));

    // Every writer over the file as it is, keeping the hand-made rest of it.
    {
        AppState state = first.state;
        ConfigFile config(state, store, nullptr);
        FUZZ_CHECK(config.SaveAllSettings().Ok());
        FUZZ_CHECK(config.SaveTimings(TimingsOf(first.state)).Ok());
        FUZZ_CHECK(config.SaveTalkSettings(first.state.Talk).Ok());
        FUZZ_CHECK(config.SaveSoundSettings().Ok());
        const Loaded again = Load(store);
        FUZZ_CHECK(again.messages.empty());
        CheckSameSettings(first.state, again.state);
        if (sameEncoding) {
            FUZZ_CHECK(again.state.Detection.ExtraMarkers == first.state.Detection.ExtraMarkers);
        }
    }
    // The whole of the settings into a file that is gone.
    {
        MemoryFilePlatform fresh;
        IniStore freshStore(kPath, fresh);
        AppState state = first.state;
        ConfigFile config(state, freshStore, nullptr);
        FUZZ_CHECK(config.SaveSoundSettings().Ok());
        const Loaded again = Load(freshStore);
        FUZZ_CHECK(again.messages.empty());
        CheckSameSettings(first.state, again.state);
    }
    return 0;
}
