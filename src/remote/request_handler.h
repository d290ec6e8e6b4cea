// The timekeeper's server without its sockets: one parsed request in, one answer out.
//
//   GET  /v/<ViewKey>, /c/<ControlKey>    the view and control pages
//   GET  /api/state                       the state (view or control key)
//   GET  /api/events?key=<key>            the state as server-sent events, one per change
//   POST /api/pause, resume, hide, show   (control key) as the global keys do
//   POST /api/add {"seconds": N}          (control key) -3600 <= N <= 3600
//   POST /api/message {"text": "..."}     (control key) at most 80 characters, "" clears
//
// Every API call but the event stream carries its key in X-Quorrin-Key (EventSource cannot
// set headers, so the stream takes it in the query). Commands go to the RemoteOwner; the
// state comes from the SnapshotBox the owner publishes.
#pragma once

#include "remote/failed_key_limit.h"
#include "remote/remote_commands.h"
#include "remote/remote_snapshot.h"
#include "texts/texts.h"

#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/string_body.hpp>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorrin {

namespace http = boost::beast::http;
using HttpRequest = http::request<http::string_body>;
using HttpResponse = http::response<http::string_body>;

inline constexpr int32_t kMaxAddSeconds = 3600;
inline constexpr size_t kMaxMessageChars = 80;
inline constexpr std::string_view kKeyHeader = "X-Quorrin-Key";

enum class PageKind { View, Control };

// The HTML of the page (from the program's resources, or the source tree in tests): one
// page for both links, which shows the controls when its address is a control link. Its
// <html lang="..."> holds the marker kPageLanguageMarker, replaced per request.
using PageSource = std::function<std::string()>;
inline constexpr std::string_view kPageLanguageMarker = "%LANG%";

struct HandlerSettings {
    std::string viewKey;  // usable keys (IsUsableKey)
    std::string controlKey;
    std::string computerName;  // this computer's name, for the Host check
};

struct Reply {
    HttpResponse response;
    // The request opened the live-update stream: the connection sends EventStreamHead and
    // then EventText for every new snapshot, instead of `response`.
    bool opensEventStream = false;
};

class RequestHandler {
  public:
    using Clock = std::chrono::steady_clock;

    RequestHandler(HandlerSettings settings, const SnapshotBox& snapshots, RemoteOwner& owner,
                   PageSource pages);

    // Not thread-safe: the server calls it from its one thread.
    Reply Handle(const HttpRequest& request, std::string_view peerAddress, Clock::time_point now);

  private:
    enum class Access { None, View, Control };
    Access KeyAccess(std::string_view presented) const;
    Reply Page(const HttpRequest& request, PageKind kind, std::string_view key,
               std::string_view peer, Clock::time_point now);
    Reply Command(const HttpRequest& request, std::string_view name, std::string_view peer,
                  Clock::time_point now);
    Reply Refusal(const HttpRequest& request, http::status status, std::string_view reason,
                  std::string_view peer, Clock::time_point now);
    Reply State(const HttpRequest& request) const;

    HandlerSettings settings_;
    const SnapshotBox& snapshots_;
    RemoteOwner& owner_;
    PageSource pages_;
    FailedKeyLimit failedKeys_;
};

// An answer that is not a page: JSON `body`, the usual safety headers, no CORS header.
HttpResponse JsonResponse(http::status status, std::string body, unsigned version, bool keepAlive);
// The refusal of a request that could not be read (too big, malformed): 413, 431 or 400.
HttpResponse ReadFailureResponse(http::status status);

// The head of the live-update stream, and one event of it.
http::response<http::empty_body> EventStreamHead(unsigned version);
std::string EventText(const RemoteSnapshot& snapshot);

}  // namespace quorrin
