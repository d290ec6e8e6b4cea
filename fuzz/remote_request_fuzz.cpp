// The timekeeper's server's request handling: the bytes of one request as a client sends
// them, read by Beast's parser within the server's limits, then routed, the key checked and
// a JSON body read. Input: one byte picks the client's address (so that the failed-key limit
// is reached), the rest is the request. Properties: every answer is one the server gives, none
// carries a CORS header, and a command reaches the clock only from a request with the control
// key, answered 200, within the bounds of an hour and 80 characters.
#include "fuzz_support.h"
#include "remote/request_reading.h"
#include "remote/request_rules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <set>
#include <string>

namespace quorrin {
namespace {

constexpr std::string_view kViewKey = "vvvvvvvvvvvvvvvvvvvvvv";
constexpr std::string_view kControlKey = "cccccccccccccccccccccc";

class RecordingOwner final : public RemoteOwner {
  public:
    bool Execute(const RemoteCommand& command) override {
        last = command;
        return true;
    }
    std::optional<RemoteCommand> last;
};

struct Server {
    SnapshotBox snapshots;
    RecordingOwner owner;
    RequestHandler handler{
        {std::string(kViewKey), std::string(kControlKey), "PODIUM"}, snapshots, owner, [] {
            return std::string("<html lang=\"%LANG%\"></html>");
        }};
    RequestHandler::Clock::time_point now{};
};

const std::set<int> kAnswers{200, 400, 401, 403, 404, 405, 413, 415, 421, 429, 431};

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorrin;
    // One server for the whole run, as in the program: the failed-key limit carries over.
    static Server server;
    FuzzedDataProvider input(data, size);
    const std::string peer = "10.0.0." + std::to_string(input.ConsumeIntegral<uint8_t>() % 4);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    server.now += std::chrono::seconds(1);
    server.owner.last.reset();

    const Reply reply = AnswerBytes(server.handler, bytes, peer, server.now);
    const int status = reply.opensEventStream ? 200 : reply.response.result_int();
    FUZZ_CHECK(kAnswers.count(status) == 1);
    FUZZ_CHECK(reply.response.find("Access-Control-Allow-Origin") == reply.response.end());
    if (const auto& command = server.owner.last) {
        FUZZ_CHECK(status == 200);
        FUZZ_CHECK(bytes.find(kControlKey) != std::string::npos);
        FUZZ_CHECK(command->seconds >= -kMaxAddSeconds && command->seconds <= kMaxAddSeconds);
        FUZZ_CHECK(Utf8Chars(command->text) <= kMaxMessageChars);
    }
    return 0;
}
