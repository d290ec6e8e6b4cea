// Global keys (RegisterHotKey) as the settings keep them: the modifiers (MOD_ALT 1,
// MOD_CONTROL 2, MOD_SHIFT 4) times 256 plus the virtual-key code, 0 for no key.
#pragma once

#include <windows.h>

#include <cstdint>

namespace quorrin {

inline constexpr int32_t kNoGlobalKey = 0;

// Registers the key on `window` under `id`; false when another program holds it. A key held
// down does not repeat.
bool RegisterGlobalKey(HWND window, int id, int32_t key);
// Whether no program (this one included) holds the key now; no key counts as free.
bool GlobalKeyFree(int32_t key);

// The key as the hot-key control holds it (HKM_GETHOTKEY / HKM_SETHOTKEY), and back.
int32_t GlobalKeyFromHotKeyControl(WORD hotKey);
WORD GlobalKeyToHotKeyControl(int32_t key);

}  // namespace quorrin
