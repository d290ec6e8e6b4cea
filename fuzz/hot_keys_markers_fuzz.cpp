// The short value texts of Config.ini: global keys ("Ctrl+Alt+Shift+P"), the ExtraMarkers
// list ("| 放映 - |"), booleans and numbers. Input: a key code (the last four bytes), then a
// text. Properties: every key the writer writes reads back; every text read as a key is one
// the writer writes back readably; the markers are never empty, never spaces only, never
// hold the separator, and a list joined again splits into the same markers.
#include "fuzz_support.h"
#include "settings/file_encoding.h"
#include "settings/ini_store.h"
#include "settings/settings_schema.h"
#include "settings/text_codec.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

namespace quorrin {
namespace {

// RegisterHotKey's Alt, Ctrl and Shift bits above the 8-bit key code.
constexpr int32_t kHotKeyMask = 0x7FF;
constexpr int32_t kKeyCodeMask = 0xFF;

void CheckHotKeys(int32_t hotKey, const std::string& text) {
    const std::string written = HotKeyToText(hotKey);
    FUZZ_CHECK(written.size() <= kMaxSettingLength);
    if ((hotKey & kKeyCodeMask) == 0) {
        FUZZ_CHECK(written.empty());
    } else {
        FUZZ_CHECK(TextToHotKey(written) == (hotKey & kHotKeyMask));
    }
    if (const auto read = TextToHotKey(text)) {
        FUZZ_CHECK(*read >= 0 && *read <= kHotKeyMask);
        FUZZ_CHECK(TextToHotKey(HotKeyToText(*read)) == read);
    }
}

void CheckValues(int32_t number, const std::string& text) {
    FUZZ_CHECK(TextToInt32(std::to_string(number)) == number);
    FUZZ_CHECK(TextToByte(std::to_string(number & kKeyCodeMask)) == (number & kKeyCodeMask));
    FUZZ_CHECK(TextToBool(BoolToText((number & 1) != 0)) == ((number & 1) != 0));
    if (const auto value = TextToInt32(text))
        FUZZ_CHECK(TextToInt32(std::to_string(*value)) == value);
    if (const auto value = TextToByte(text))
        FUZZ_CHECK(TextToByte(std::to_string(*value)) == value);
    if (const auto value = TextToBool(text)) FUZZ_CHECK(TextToBool(BoolToText(*value)) == value);
}

void CheckMarkerList(const std::vector<std::string>& markers, std::string_view from) {
    for (const std::string& marker : markers) {
        FUZZ_CHECK(!marker.empty());
        FUZZ_CHECK(marker.find_first_not_of(" \t") != std::string::npos);
        FUZZ_CHECK(marker.find(kMarkerSeparator) == std::string::npos);
        FUZZ_CHECK(from.find(marker) != std::string_view::npos);
    }
}

void CheckMarkers(const std::string& text) {
    const std::vector<std::string> markers = SplitMarkers(text);
    CheckMarkerList(markers, text);
    std::string joined(1, kMarkerSeparator);
    for (const std::string& marker : markers) joined += marker + kMarkerSeparator;
    FUZZ_CHECK(SplitMarkers(joined) == markers);

    // The same text as the value of [Detection] in a GBK file: split after decoding, so no
    // marker holds half a character.
    const std::string line = text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
    MemoryFilePlatform platform;
    platform.files["Config.ini"] = "[Detection]\r\nExtraMarkers=" + line + "\r\n";
    const IniSnapshot file = IniStore("Config.ini", platform).Snapshot();
    const std::string value = file.Read(kSectionDetection, kKeyExtraMarkers, "");
    const DetectionSettings detection = ReadDetectionSettings(file);
    CheckMarkerList(detection.ExtraMarkers, value);
    // From a GBK file every marker has a GBK form (a file that reads as UTF-8 may hold any).
    if (DetectFileEncoding(platform.files["Config.ini"]) != FileEncoding::Gbk) return;
    for (const std::string& marker : detection.ExtraMarkers) {
        FUZZ_CHECK(GbkToUtf8(Utf8ToGbk(marker)) == marker);
    }
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int32_t number = input.ConsumeIntegral<int32_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    quorrin::CheckHotKeys(number, text);
    quorrin::CheckValues(number, text);
    quorrin::CheckMarkers(text);
    return 0;
}
