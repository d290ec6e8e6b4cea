// The timekeeper dialog: whether a timekeeper may see and control the clock from a phone,
// the port, and the view and control links for each address of this computer, each with a
// button that copies it. 新链接 makes both keys new at once, so that links given out before
// stop working. A link copied is a link given out: its keys are saved then, even if the
// dialog is cancelled after. Modeless; one at a time.
#pragma once

#include "remote/remote_keys.h"
#include "remote/remote_links.h"
#include "dialogs/kit/dialog_rows_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "dialogs/remote/remote_control.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorrin {

inline constexpr const wchar_t* kRemoteDialogClassName = L"Quorrin.RemoteDialog";
// The rows' controls are numbered from here, in the order Tab visits them.
inline constexpr int kRemoteDialogFirstId = 1401;

// Ports a server may listen on.
inline constexpr int32_t kLeastPort = 1;
inline constexpr int32_t kMostPort = 65535;

class RemoteDialog final : public SettingsDialog {
  public:
    // `random`: where new keys come from; `addresses`: this computer's IPv4 addresses, asked
    // each time the dialog opens.
    RemoteDialog(AppState& state, ConfigFile& config, DialogHost& host, RemoteControl& remote,
                 RandomBytes random, std::function<std::vector<std::string>()> addresses);
    ~RemoteDialog() override;

    // The controls, for tests: 开启远程计时, the port, the n-th address's view and control
    // links and their 复制 buttons, 新链接.
    int EnabledId() const;
    int PortId() const;
    int LinkId(size_t address, LinkKind kind) const;
    int CopyId(size_t address, LinkKind kind) const;
    int NewLinksId() const;
    size_t AddressCount() const { return addresses_.size(); }

  private:
    DialogFrameSpec Frame() const override;
    void PrepareRows() override;
    void LoadValues() override;
    bool Save() override;
    void OnControl(int id, int code) override;

    size_t LinkRow(size_t address, LinkKind kind) const;
    bool IsCopyId(int id) const;
    // Whether the keys shown are the stored ones.
    bool KeysStored() const;
    // The links with the keys of `keys_` and the port shown.
    void ShowLinks(int32_t port);
    void NewLinks();
    // Saves these keys over the stored settings (a switch or port not yet saved stays for
    // 保存) and serves them at once.
    void SaveKeys(const std::string& viewKey, const std::string& controlKey);
    // Asks the program to serve as [Remote] now says; tells the presenter when it cannot.
    void Apply();

    AppState& state_;
    ConfigFile& config_;
    RemoteControl& remote_;
    RandomBytes random_;
    std::function<std::vector<std::string>()> listAddresses_;

    // Made again at each opening: the addresses, the rows for them and the keys shown (the
    // stored ones, or new ones where those cannot be used).
    std::vector<std::string> addresses_;
    std::vector<DialogRow<RemoteSettings>> table_;
    std::optional<DialogRows<RemoteSettings>> rows_;
    RemoteSettings keys_;
};

}  // namespace quorrin
