#include "dialogs/remote/remote_dialog_win32.h"

#include "win32/message_box_win32.h"
#include "win32/wide_text_win32.h"

#include <utility>

namespace quorrin {

namespace {

// The rows: the switch and the port, two link rows for each address, 新链接 and the note.
constexpr size_t kEnabledRow = 0;
constexpr size_t kPortRow = 1;
constexpr size_t kFirstLinkRow = 2;
constexpr size_t kLinkRowsPerAddress = 2;

int32_t PortOf(const RowValue& value) {
    const int32_t* port = std::get_if<int32_t>(&value);
    return port != nullptr ? *port : 0;
}

}  // namespace

RemoteDialog::RemoteDialog(AppState& state, ConfigFile& config, DialogHost& host,
                           RemoteControl& remote, RandomBytes random,
                           std::function<std::vector<std::string>()> addresses)
    : SettingsDialog(&host, &state.Countdown),
      state_(state),
      config_(config),
      remote_(remote),
      random_(std::move(random)),
      listAddresses_(std::move(addresses)) {}

RemoteDialog::~RemoteDialog() = default;

DialogFrameSpec RemoteDialog::Frame() const {
    return {.className = kRemoteDialogClassName, .caption = TextId::RemoteTitle};
}

void RemoteDialog::PrepareRows() {
    addresses_ = LinkAddresses(listAddresses_ ? listAddresses_() : std::vector<std::string>{});
    // The links shown are the ones that will work: a key that cannot be used is replaced
    // now, and saved with 保存.
    keys_ = state_.Remote;
    MakeKeysUsable(keys_, random_);

    using R = RemoteSettings;
    table_ = {{RowKind::Check, TextId::RemoteEnabled, &R::Enabled},
              {RowKind::Number, TextId::RemotePort, &R::Port}};
    for (size_t address = 0; address < addresses_.size(); ++address) {
        table_.push_back({RowKind::CopyText, TextId::RemoteViewLink, {}});
        table_.push_back({RowKind::CopyText, TextId::RemoteControlLink, {}});
    }
    table_.push_back({RowKind::Button, TextId::RemoteNewLinks, {}});
    table_.push_back({RowKind::Note, TextId::RemoteNote, {}});
    rows_.emplace(table_, kRemoteDialogFirstId);
    UseRows(*rows_);
    // The fields are made as wide as these links.
    ShowLinks(state_.Remote.Port);
}

void RemoteDialog::LoadValues() {
    rows_->Load(state_.Remote);
    ShowLinks(state_.Remote.Port);
}

size_t RemoteDialog::LinkRow(size_t address, LinkKind kind) const {
    return kFirstLinkRow + address * kLinkRowsPerAddress + (kind == LinkKind::View ? 0 : 1);
}

int RemoteDialog::EnabledId() const { return rows_ ? rows_->PartId(kEnabledRow, kRowCaption) : 0; }
int RemoteDialog::PortId() const { return rows_ ? rows_->PartId(kPortRow, kRowField) : 0; }
int RemoteDialog::LinkId(size_t address, LinkKind kind) const {
    return rows_ ? rows_->PartId(LinkRow(address, kind), kRowField) : 0;
}
int RemoteDialog::CopyId(size_t address, LinkKind kind) const {
    return rows_ ? rows_->PartId(LinkRow(address, kind), kRowAction) : 0;
}
int RemoteDialog::NewLinksId() const {
    return rows_ ? rows_->PartId(LinkRow(addresses_.size(), LinkKind::View), kRowField) : 0;
}

bool RemoteDialog::IsCopyId(int id) const {
    for (size_t address = 0; address < addresses_.size(); ++address) {
        if (id == CopyId(address, LinkKind::View) || id == CopyId(address, LinkKind::Control)) {
            return true;
        }
    }
    return false;
}

bool RemoteDialog::KeysStored() const {
    return keys_.ViewKey == state_.Remote.ViewKey && keys_.ControlKey == state_.Remote.ControlKey;
}

void RemoteDialog::ShowLinks(int32_t port) {
    for (size_t address = 0; address < addresses_.size(); ++address) {
        rows_->ShowText(LinkRow(address, LinkKind::View),
                        TimekeeperLink(addresses_[address], port, LinkKind::View, keys_.ViewKey));
        rows_->ShowText(
            LinkRow(address, LinkKind::Control),
            TimekeeperLink(addresses_[address], port, LinkKind::Control, keys_.ControlKey));
    }
}

bool RemoteDialog::Save() {
    RemoteSettings remote = keys_;
    rows_->Save(remote);
    if (remote.Port < kLeastPort || remote.Port > kMostPort) {
        const std::function<bool()> stillOpen = OpenCheck();
        ShowMessage(Handle(), Text(TextId::RemoteBadPort));
        if (stillOpen()) SetFocus(GetDlgItem(Handle(), PortId()));
        return false;
    }
    if (!Saved(config_, config_.SaveRemoteSettings(remote))) return false;
    Apply();
    return true;
}

void RemoteDialog::SaveKeys(const std::string& viewKey, const std::string& controlKey) {
    RemoteSettings stored = state_.Remote;
    stored.ViewKey = viewKey;
    stored.ControlKey = controlKey;
    const std::function<bool()> stillOpen = OpenCheck();
    if (!Saved(config_, config_.SaveRemoteSettings(stored)) || !stillOpen()) return;
    keys_.ViewKey = viewKey;
    keys_.ControlKey = controlKey;
    ShowLinks(PortOf(rows_->Take(kPortRow)));
    Apply();
}

// Both keys at once: the old links stop working now.
void RemoteDialog::NewLinks() {
    const std::string viewKey = NewKey(random_);
    SaveKeys(viewKey, NewKey(random_));
}

void RemoteDialog::Apply() {
    const std::wstring reason = remote_.ApplyRemoteSettings();
    if (!reason.empty()) {
        ShowMessage(Handle(), FormatText(TextId::RemoteNotListening, {WideToUtf8(reason)}));
    }
}

void RemoteDialog::OnControl(int id, int code) {
    if (id == PortId() && code == EN_CHANGE) {
        ShowLinks(PortOf(rows_->Take(kPortRow)));
    } else if (id == NewLinksId() && code == BN_CLICKED) {
        NewLinks();
    } else if (code == BN_CLICKED && IsCopyId(id) && !KeysStored()) {
        // Keys made for this opening, not yet saved: the link just copied must work.
        SaveKeys(keys_.ViewKey, keys_.ControlKey);
    }
}

}  // namespace quorrin
