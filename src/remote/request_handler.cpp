#include "remote/request_handler.h"

#include "remote/remote_keys.h"
#include "remote/request_rules.h"

#include <boost/json.hpp>

#include <array>
#include <optional>
#include <utility>

namespace quorrin {
namespace {

constexpr unsigned kHttp11 = 11;
constexpr std::string_view kJsonType = "application/json; charset=utf-8";
constexpr std::string_view kHtmlType = "text/html; charset=utf-8";
// The pages use only their own inline style and script and talk only to this server.
constexpr std::string_view kPagePolicy =
    "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; "
    "connect-src 'self'; img-src 'self' data:; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'";
constexpr std::string_view kRetryAfterSeconds = "60";
// How soon a browser's EventSource reconnects after a dropped stream.
constexpr std::string_view kEventRetryMilliseconds = "1000";

struct CommandRoute {
    std::string_view name;
    RemoteAction action;
};
constexpr std::array<CommandRoute, 6> kCommandRoutes{{
    {"pause", RemoteAction::Pause},
    {"resume", RemoteAction::Resume},
    {"hide", RemoteAction::Hide},
    {"show", RemoteAction::Show},
    {"add", RemoteAction::AddSeconds},
    {"message", RemoteAction::SetMessage},
}};

// Headers every answer carries. The links hold keys: no referrer leaves the pages, nothing
// is cached, nothing may frame them. There is deliberately no Access-Control-* header.
template <class Fields>
void AddSafetyHeaders(Fields& fields) {
    fields.set(http::field::cache_control, "no-store");
    fields.set("X-Content-Type-Options", "nosniff");
    fields.set("Referrer-Policy", "no-referrer");
    fields.set("X-Frame-Options", "DENY");
}

std::string ErrorBody(std::string_view reason) {
    return boost::json::serialize(boost::json::object{{"error", reason}});
}

// Path and query of a request target.
std::pair<std::string_view, std::string_view> SplitTarget(std::string_view target) {
    const size_t question = target.find('?');
    if (question == std::string_view::npos) return {target, {}};
    return {target.substr(0, question), target.substr(question + 1)};
}

std::string_view QueryValue(std::string_view query, std::string_view name) {
    while (!query.empty()) {
        const size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query.remove_prefix(amp == std::string_view::npos ? query.size() : amp + 1);
        if (pair.size() > name.size() && pair.starts_with(name) && pair[name.size()] == '=')
            return pair.substr(name.size() + 1);
    }
    return {};
}

bool HasNoControlCharacters(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

// The command a POST body asks for, or nothing when the body is not acceptable.
std::optional<RemoteCommand> ReadCommand(RemoteAction action, std::string_view body) {
    RemoteCommand command;
    command.action = action;
    const bool needsBody = action == RemoteAction::AddSeconds || action == RemoteAction::SetMessage;
    if (body.empty()) {
        if (needsBody) return std::nullopt;
        return command;
    }
    boost::system::error_code error;
    const boost::json::value value = boost::json::parse(body, error);
    if (error || !value.is_object()) return std::nullopt;
    const boost::json::object& object = value.get_object();
    if (action == RemoteAction::AddSeconds) {
        const boost::json::value* seconds = object.if_contains("seconds");
        if (seconds == nullptr || !seconds->is_int64()) return std::nullopt;
        const int64_t n = seconds->get_int64();
        if (n < -kMaxAddSeconds || n > kMaxAddSeconds) return std::nullopt;
        command.seconds = static_cast<int32_t>(n);
    } else if (action == RemoteAction::SetMessage) {
        const boost::json::value* text = object.if_contains("text");
        if (text == nullptr || !text->is_string()) return std::nullopt;
        const std::string_view message = text->get_string();
        // The parser has checked that the text is valid UTF-8; a message is one line.
        if (Utf8Chars(message) > kMaxMessageChars || !HasNoControlCharacters(message))
            return std::nullopt;
        command.text = message;
    }
    return command;
}

}  // namespace

HttpResponse JsonResponse(http::status status, std::string body, unsigned version, bool keepAlive) {
    HttpResponse response{status, version};
    response.set(http::field::content_type, kJsonType);
    AddSafetyHeaders(response);
    response.body() = std::move(body);
    response.keep_alive(keepAlive);
    response.prepare_payload();
    return response;
}

HttpResponse ReadFailureResponse(http::status status) {
    return JsonResponse(status, ErrorBody(http::obsolete_reason(status)), kHttp11, false);
}

http::response<http::empty_body> EventStreamHead(unsigned version) {
    // No length: the stream's body ends when the connection does.
    http::response<http::empty_body> head{http::status::ok, version};
    head.set(http::field::content_type, "text/event-stream; charset=utf-8");
    AddSafetyHeaders(head);
    head.keep_alive(false);
    return head;
}

std::string EventText(const RemoteSnapshot& snapshot) {
    return "retry: " + std::string(kEventRetryMilliseconds) + "\ndata: " + SnapshotJson(snapshot) +
           "\n\n";
}

RequestHandler::RequestHandler(HandlerSettings settings, const SnapshotBox& snapshots,
                               RemoteOwner& owner, PageSource pages)
    : settings_(std::move(settings)),
      snapshots_(snapshots),
      owner_(owner),
      pages_(std::move(pages)) {}

RequestHandler::Access RequestHandler::KeyAccess(std::string_view presented) const {
    // Both comparisons always run, so the time taken does not tell which key came near.
    const bool control = KeysEqual(presented, settings_.controlKey);
    const bool view = KeysEqual(presented, settings_.viewKey);
    if (control) return Access::Control;
    return view ? Access::View : Access::None;
}

Reply RequestHandler::Refusal(const HttpRequest& request, http::status status,
                              std::string_view reason, std::string_view peer,
                              Clock::time_point now) {
    if (status == http::status::unauthorized) failedKeys_.RecordFailure(peer, now);
    Reply reply{JsonResponse(status, ErrorBody(reason), request.version(), request.keep_alive())};
    if (status == http::status::too_many_requests)
        reply.response.set(http::field::retry_after, kRetryAfterSeconds);
    return reply;
}

Reply RequestHandler::State(const HttpRequest& request) const {
    return {JsonResponse(http::status::ok, SnapshotJson(snapshots_.Read().snapshot),
                         request.version(), request.keep_alive())};
}

Reply RequestHandler::Handle(const HttpRequest& request, std::string_view peer,
                             Clock::time_point now) {
    if (!IsAllowedHost(request[http::field::host], settings_.computerName))
        return Refusal(request, http::status::misdirected_request, "host", peer, now);
    if (failedKeys_.IsBlocked(peer, now))
        return Refusal(request, http::status::too_many_requests, "too many wrong keys", peer, now);

    const auto [path, query] = SplitTarget(request.target());
    const bool get = request.method() == http::verb::get;
    const auto methodNotAllowed = [&](std::string_view allow) {
        Reply reply = Refusal(request, http::status::method_not_allowed, "method", peer, now);
        reply.response.set(http::field::allow, allow);
        return reply;
    };

    if (path.starts_with("/v/") || path.starts_with("/c/")) {
        if (!get) return methodNotAllowed("GET");
        return Page(request, path[1] == 'v' ? PageKind::View : PageKind::Control, path.substr(3),
                    peer, now);
    }
    if (path == "/api/state" || path == "/api/events") {
        if (!get) return methodNotAllowed("GET");
        const bool events = path == "/api/events";
        const std::string_view key =
            events ? QueryValue(query, "key") : std::string_view(request[kKeyHeader]);
        if (key.empty()) return Refusal(request, http::status::unauthorized, "no key", peer, now);
        if (KeyAccess(key) == Access::None)
            return Refusal(request, http::status::unauthorized, "unknown key", peer, now);
        if (!events) return State(request);
        return {{}, true};
    }
    constexpr std::string_view kApiPrefix = "/api/";
    if (path.starts_with(kApiPrefix))
        return Command(request, path.substr(kApiPrefix.size()), peer, now);
    return Refusal(request, http::status::not_found, "not found", peer, now);
}

Reply RequestHandler::Page(const HttpRequest& request, PageKind kind, std::string_view key,
                           std::string_view peer, Clock::time_point now) {
    if (key.empty()) return Refusal(request, http::status::unauthorized, "no key", peer, now);
    const Access access = KeyAccess(key);
    if (access == Access::None)
        return Refusal(request, http::status::unauthorized, "unknown key", peer, now);
    // The view key never opens the control page; the control key opens both.
    if (kind == PageKind::Control && access != Access::Control)
        return Refusal(request, http::status::forbidden, "view key", peer, now);

    std::string html = pages_();
    const size_t marker = html.find(kPageLanguageMarker);
    if (marker != std::string::npos) {
        const bool chinese =
            PageLanguage(request[http::field::accept_language]) == Language::Chinese;
        html.replace(marker, kPageLanguageMarker.size(), chinese ? "zh-CN" : "en");
    }
    HttpResponse response{http::status::ok, request.version()};
    response.set(http::field::content_type, kHtmlType);
    response.set("Content-Security-Policy", kPagePolicy);
    response.set(http::field::vary, "Accept-Language");
    AddSafetyHeaders(response);
    response.body() = std::move(html);
    response.keep_alive(request.keep_alive());
    response.prepare_payload();
    return {std::move(response)};
}

Reply RequestHandler::Command(const HttpRequest& request, std::string_view name,
                              std::string_view peer, Clock::time_point now) {
    const auto route = std::find_if(kCommandRoutes.begin(), kCommandRoutes.end(),
                                    [&](const CommandRoute& r) { return r.name == name; });
    if (route == kCommandRoutes.end())
        return Refusal(request, http::status::not_found, "not found", peer, now);
    if (request.method() != http::verb::post) {
        Reply reply = Refusal(request, http::status::method_not_allowed, "method", peer, now);
        reply.response.set(http::field::allow, "POST");
        return reply;
    }
    const std::string_view key = request[kKeyHeader];
    if (key.empty()) return Refusal(request, http::status::unauthorized, "no key", peer, now);
    const Access access = KeyAccess(key);
    if (access == Access::None)
        return Refusal(request, http::status::unauthorized, "unknown key", peer, now);
    if (access != Access::Control)
        return Refusal(request, http::status::forbidden, "view key", peer, now);
    // A form or a "simple" cross-site request cannot send this type without a preflight,
    // which this server never grants.
    if (!IsJsonContentType(request[http::field::content_type]))
        return Refusal(request, http::status::unsupported_media_type, "content type", peer, now);
    const auto command = ReadCommand(route->action, request.body());
    if (!command) return Refusal(request, http::status::bad_request, "body", peer, now);
    if (!owner_.Execute(*command))
        return Refusal(request, http::status::service_unavailable, "busy", peer, now);
    return State(request);
}

}  // namespace quorrin
