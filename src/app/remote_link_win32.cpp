#include "app/remote_link_win32.h"

#include "remote/remote_page_resources_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <array>

namespace quorrin {

namespace {

// This computer's name as a browser on the network may give it in Host.
std::string ComputerName() {
    std::array<wchar_t, MAX_COMPUTERNAME_LENGTH + 1> name{};
    DWORD length = static_cast<DWORD>(name.size());
    if (!GetComputerNameExW(ComputerNameDnsHostname, name.data(), &length)) {
        LogLastError(L"GetComputerNameExW");
        return {};
    }
    return WideToUtf8(std::wstring_view(name.data(), length));
}

}  // namespace

RemoteLink::RemoteLink(CommandMailbox::Apply apply)
    : apply_(std::move(apply)), mailbox_([this] {
          // A lost wake-up only makes the command wait out its patience and fail.
          if (!PostMessageW(window_, kRemoteCommandMessage, 0, 0)) LogLastError(L"PostMessageW");
      }) {}

RemoteLink::~RemoteLink() { Stop(); }

std::wstring RemoteLink::Serve(const RemoteSettings& remote) {
    if (!remote.Enabled) {
        Stop();
        return {};
    }
    if (Listening() && remote == serving_) return {};
    Stop();
    handler_ = std::make_unique<RequestHandler>(
        HandlerSettings{remote.ViewKey, remote.ControlKey, ComputerName()}, snapshots_, mailbox_,
        LoadRemotePage);
    auto server = std::make_unique<RemoteServer>(*handler_, snapshots_);
    std::string error;
    if (!server->Start(static_cast<uint16_t>(remote.Port), RemoteServer::Reach::Network, error)) {
        handler_.reset();
        const std::wstring reason = Utf8ToWide(error);
        LogDebug(L"the timekeeper's server could not listen", reason);
        return UiText(TextId::RemotePortUnavailable) + std::to_wstring(remote.Port) + L"\n" +
               reason;
    }
    server_ = std::move(server);
    serving_ = remote;
    return {};
}

void RemoteLink::Stop() {
    // The server first: it uses the handler until its thread has ended.
    server_.reset();
    handler_.reset();
}

bool RemoteLink::HandleMessage(UINT message) {
    if (message != kRemoteCommandMessage) return false;
    mailbox_.ApplyPending(apply_);
    return true;
}

}  // namespace quorrin
