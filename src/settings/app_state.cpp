#include "settings/app_state.h"

namespace quorrin {

const PresentationSlot* PresentationTable::At(int slot) const {
    if (slot < 0 || slot >= kSlotCount) return nullptr;
    return &slots_[static_cast<size_t>(slot)];
}

PresentationSlot* PresentationTable::At(int slot) {
    if (slot < 0 || slot >= kSlotCount) return nullptr;
    return &slots_[static_cast<size_t>(slot)];
}

bool PresentationTable::Store(int slot, const PresentationSlot& row) {
    PresentationSlot* target = At(slot);
    if (target == nullptr) return false;
    *target = row;
    return true;
}

void ResetSettings(AppState& state) {
    TakeGeneralDefaults(state.General);
    state.Presentations.Store(0, DefaultSharedTiming());
    state.Style = DefaultStyle();
}

void ApplyUiLanguage(const UiSettings& ui) {
    SetCurrentLanguage(ChooseLanguage(ui.Language, ui.SystemLanguages));
}

}  // namespace quorrin
