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

DisplayStyle DefaultStyle() {
    DisplayStyle s;
    s.Width = 3000;
    s.Height = 1200;
    s.Left = 0;
    s.Top = 0;
    s.showPos = 1;
    s.Alpha = 100;
    s.BackColor = 0xC0FFFF;
    s.numFontSize = 36;
    s.numForeColor = 0xFFFFFF;
    s.numFontName = "Arial";
    s.numWidth = 1995;
    s.numHeight = 840;
    s.numLeft = 480;
    s.numTop = 200;
    s.bgWidth = 3000;
    s.bgHeight = 1200;
    s.bgLeft = 0;
    s.bgTop = 0;
    s.bgBackColor = 0x33CC00;
    return s;
}

void ResetSettings(AppState& state) {
    GeneralSettings& g = state.General;
    g.TimeMode = 0;
    g.EndWarning = true;
    g.WarningSound = kDefaultSound;
    g.EndSound = kDefaultSound;
    g.ResetTime = true;
    g.SameMode = true;

    PresentationSlot shared;
    shared.TimeCnt = 600;
    shared.TimeWarning = 30;
    shared.Flush = true;
    shared.Close = true;
    shared.File = kAllPresentationsLabel;
    shared.TimeFree = 0;
    state.Presentations.Store(0, shared);

    state.Style = DefaultStyle();
}

void ApplyUiLanguage(const UiSettings& ui) {
    SetCurrentLanguage(ChooseLanguage(ui.Language, ui.SystemLanguages));
}

}  // namespace quorrin
