#include "win32/global_key_win32.h"

#include <commctrl.h>

namespace quorrin {

namespace {

// An id only the free-key probe uses (an application's ids are 0..0xBFFF).
constexpr int kProbeId = 0x0BFF;
constexpr int32_t kKeyBits = 0xFF;
constexpr int kModifierShift = 8;

UINT Modifiers(int32_t key) { return static_cast<UINT>(key >> kModifierShift) | MOD_NOREPEAT; }
UINT VirtualKey(int32_t key) { return static_cast<UINT>(key & kKeyBits); }

// The keys the hot-key control names from the extended part of the keyboard; without the
// flag it would name the number pad's key of the same code ("Num 9" for Page Up).
bool ExtendedKey(UINT virtualKey) {
    return (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT ||
           virtualKey == VK_DELETE;
}

}  // namespace

bool RegisterGlobalKey(HWND window, int id, int32_t key) {
    return RegisterHotKey(window, id, Modifiers(key), VirtualKey(key)) != FALSE;
}

bool GlobalKeyFree(int32_t key) {
    if (VirtualKey(key) == 0) return true;
    // Registered for this thread alone, and given back at once.
    if (!RegisterGlobalKey(nullptr, kProbeId, key)) return false;
    UnregisterHotKey(nullptr, kProbeId);
    return true;
}

int32_t GlobalKeyFromHotKeyControl(WORD hotKey) {
    const UINT flags = HIBYTE(hotKey);
    const int32_t virtualKey = LOBYTE(hotKey);
    if (virtualKey == 0) return kNoGlobalKey;
    int32_t modifiers = 0;
    if (flags & HOTKEYF_ALT) modifiers |= MOD_ALT;
    if (flags & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
    return modifiers << kModifierShift | virtualKey;
}

WORD GlobalKeyToHotKeyControl(int32_t key) {
    const UINT modifiers = static_cast<UINT>(key >> kModifierShift);
    BYTE flags = 0;
    if (modifiers & MOD_ALT) flags |= HOTKEYF_ALT;
    if (modifiers & MOD_CONTROL) flags |= HOTKEYF_CONTROL;
    if (modifiers & MOD_SHIFT) flags |= HOTKEYF_SHIFT;
    if (ExtendedKey(VirtualKey(key))) flags |= HOTKEYF_EXT;
    return MAKEWORD(VirtualKey(key), flags);
}

}  // namespace quorrin
