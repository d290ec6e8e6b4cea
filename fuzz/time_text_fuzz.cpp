// The time texts of Config.ini ("00:10:00"). Input: a number of seconds (the last four
// bytes), then a text. Properties: any text parses without undefined behaviour, to a value
// the file's writer writes back readably; every value that writer writes reads back, and
// times below 100 hours look as they always did.
#include "fuzz_support.h"
#include "settings/time_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

namespace quorrin {
namespace {

constexpr int32_t kReadableMin = kFileTimeMinSeconds;
constexpr int32_t kReadableMax = kFileTimeMaxSeconds;
constexpr int32_t kSecondsPerHundredHours = 100 * 3600;

void CheckWriter(int32_t seconds) {
    // The settings file's text reads back as the value, or as the nearest value it can hold.
    const std::string text = SecondsToFileTimeText(seconds);
    FUZZ_CHECK(TimeTextToSeconds(text) == std::clamp(seconds, kReadableMin, kReadableMax));
    // ... and is the usual text wherever that reads back, every time below 100 hours included.
    const std::string usual = SecondsToTimeText(seconds);
    if (TimeTextToSeconds(usual) == seconds) FUZZ_CHECK(text == usual);
    if (seconds >= 0 && seconds < kSecondsPerHundredHours) FUZZ_CHECK(text == usual);
}

void CheckReader(const std::string& text) {
    if (const auto decimal = ParseDecimal(text)) FUZZ_CHECK(std::to_string(*decimal).size() <= 20);
    if (const auto cut = TrimAtNul(text)) FUZZ_CHECK(cut->size() < text.size());
    const auto seconds = TimeTextToSeconds(text);
    if (!seconds) return;
    FUZZ_CHECK(*seconds >= kReadableMin && *seconds <= kReadableMax);
    FUZZ_CHECK(TimeTextToSeconds(SecondsToFileTimeText(*seconds)) == seconds);
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    quorrin::CheckWriter(input.ConsumeIntegral<int32_t>());
    quorrin::CheckReader(input.ConsumeRemainingBytesAsString());
    return 0;
}
