#include "autostart/autostart_win32.h"

#include "texts/texts.h"
#include "win32/debug_log_win32.h"
#include "win32/message_box_win32.h"
#include "win32/program_folder_win32.h"
#include "win32/system_error_text_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace quorrin {

namespace {

// The value of `name` under HKCU\`keyPath` as RegGetValueW gives it for `typeFlags`, or
// nothing when it is absent or unreadable. A string value stored as REG_EXPAND_SZ comes
// back with its environment variables expanded.
std::optional<std::vector<uint8_t>> ReadValue(const wchar_t* keyPath, DWORD typeFlags) {
    std::vector<uint8_t> data;
    for (;;) {
        auto size = static_cast<DWORD>(data.size());
        const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, keyPath, kRunValueName, typeFlags,
                                            nullptr, data.empty() ? nullptr : data.data(), &size);
        if (status == ERROR_SUCCESS && !data.empty()) {
            data.resize(size);
            return data;
        }
        // The first call only asks for the size; the value may also grow between the calls.
        if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            data.resize(size + sizeof(wchar_t));
            continue;
        }
        if (status != ERROR_FILE_NOT_FOUND) {
            LogDebug(std::wstring(L"reading ") + keyPath, SystemErrorText(status));
        }
        return std::nullopt;
    }
}

std::optional<std::string> ReadRunValue() {
    const std::optional<std::vector<uint8_t>> data = ReadValue(kRunKeyPath, RRF_RT_REG_SZ);
    if (!data) return std::nullopt;
    std::wstring text(data->size() / sizeof(wchar_t), L'\0');
    std::copy(data->begin(), data->begin() + static_cast<ptrdiff_t>(text.size() * sizeof(wchar_t)),
              reinterpret_cast<uint8_t*>(text.data()));
    text.resize(std::wcslen(text.c_str()));
    return WideToUtf8(text);
}

bool OnRemovableDrive(const std::wstring& path) {
    wchar_t volume[MAX_PATH] = {};
    if (GetVolumePathNameW(path.c_str(), volume, MAX_PATH) == FALSE) {
        LogLastError(L"GetVolumePathNameW for the program");
        return false;
    }
    return GetDriveTypeW(volume) == DRIVE_REMOVABLE;
}

LSTATUS WriteRunValue(const std::wstring& exePath) {
    HKEY opened = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const UniqueRegistryKey key(opened);
    const std::wstring value = Utf8ToWide(RunValueFor(WideToUtf8(exePath)));
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), kRunValueName, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

LSTATUS DeleteRunValue() {
    HKEY opened = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_SET_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return status;
    const UniqueRegistryKey key(opened);
    status = RegDeleteValueW(key.Get(), kRunValueName);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

AutostartFacts ReadAutostartFacts() {
    AutostartFacts facts;
    facts.runValue = ReadRunValue();
    facts.approvedBytes =
        ReadValue(kStartupApprovedKeyPath, RRF_RT_REG_BINARY).value_or(std::vector<uint8_t>{});
    if (const std::optional<std::wstring> exe = ProgramPath()) {
        facts.exePath = WideToUtf8(*exe);
        facts.onRemovableDrive = OnRemovableDrive(*exe);
    }
    return facts;
}

AutostartChoice CurrentAutostart() { return DecideAutostart(ReadAutostartFacts()); }

LSTATUS SetAutostart(bool on) {
    if (!on) return DeleteRunValue();
    const std::optional<std::wstring> exe = ProgramPath();
    return exe ? WriteRunValue(*exe) : ERROR_BAD_PATHNAME;
}

void ToggleAutostart() {
    const AutostartChoice choice = CurrentAutostart();
    if (choice.block != AutostartBlock::None) return;
    if (const LSTATUS status = SetAutostart(!choice.startsThisCopy); status != ERROR_SUCCESS) {
        ShowMessage(nullptr, std::string(Text(TextId::AutostartFailed)) +
                                 WideToUtf8(SystemErrorText(status)));
    }
}

}  // namespace quorrin
