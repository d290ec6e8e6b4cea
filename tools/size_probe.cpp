// size-probe.exe: Quorrin.exe with the timekeeper's server linked in, for scripts/exe-size.sh.
// It is main_win32.cpp plus this file, whose start-up object reaches the server the way the
// application will (keys, page, handler, server Start and Stop), so the linker keeps all of
// it. The server runs only when QUORRIN_SIZE_PROBE_SERVE is set; otherwise the probe is the
// ordinary program.
#include "remote/remote_commands.h"
#include "remote/remote_keys.h"
#include "remote/remote_page_resources_win32.h"
#include "remote/remote_server.h"
#include "remote/remote_snapshot.h"
#include "remote/request_handler.h"

#include <windows.h>

#include <string>

namespace {

void ServeOnce() {
    quorrin::SnapshotBox snapshots;
    snapshots.Publish(quorrin::RemoteSnapshot{});
    quorrin::CommandMailbox mailbox([] {});
    const quorrin::RandomBytes random = quorrin::SystemRandomBytes();
    quorrin::HandlerSettings settings{quorrin::UsableKeyOr("", random),
                                      quorrin::UsableKeyOr("", random), "probe"};
    quorrin::RequestHandler handler(std::move(settings), snapshots, mailbox,
                                    quorrin::LoadRemotePage);
    quorrin::RemoteServer server(handler, snapshots);
    std::string error;
    if (server.Start(0, quorrin::RemoteServer::Reach::ThisComputerOnly, error)) server.Stop();
}

const bool kServed = [] {
    if (GetEnvironmentVariableW(L"QUORRIN_SIZE_PROBE_SERVE", nullptr, 0) == 0) return false;
    ServeOnce();
    return true;
}();

}  // namespace
