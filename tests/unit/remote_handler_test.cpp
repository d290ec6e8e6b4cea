#include "remote/request_handler.h"
#include "remote/request_reading.h"
#include "remote/request_rules.h"
#include "remote_fakes.h"

#include <boost/json.hpp>
#include <gtest/gtest.h>

#include <string>

namespace quorrin {
namespace {

using namespace std::chrono_literals;

const std::string kView = "vvvvvvvvvvvvvvvvvvvvvv";  // 22 characters
const std::string kControl = "cccccccccccccccccccccc_-9";
constexpr std::string_view kPeer = "192.168.1.20";

class RemoteHandlerTest : public ::testing::Test {
  protected:
    // One raw request: the method and target, the headers (each ending in "\r\n"), a body.
    Reply Send(std::string_view method, std::string_view target, std::string headers = {},
               std::string_view body = {}, std::string_view peer = kPeer) {
        std::string bytes = std::string(method) + " " + std::string(target) + " HTTP/1.1\r\n";
        if (headers.find("Host:") == std::string::npos) bytes += "Host: 192.168.1.5:8217\r\n";
        bytes += headers;
        if (!body.empty()) bytes += "Content-Length: " + std::to_string(body.size()) + "\r\n";
        bytes += "\r\n";
        bytes += body;
        return AnswerBytes(handler, bytes, peer, now);
    }
    Reply Post(std::string_view name, std::string_view body, const std::string& key = kControl) {
        return Send("POST", "/api/" + std::string(name),
                    "X-Quorrin-Key: " + key + "\r\nContent-Type: application/json\r\n", body);
    }
    static int Status(const Reply& reply) { return reply.response.result_int(); }
    static boost::json::object Json(const Reply& reply) {
        return boost::json::parse(reply.response.body()).as_object();
    }

    SnapshotBox snapshots;
    FakeClockOwner owner{snapshots};
    RequestHandler handler{{kView, kControl, "PODIUM-PC"}, snapshots, owner, [] {
                               return std::string("<html lang=\"%LANG%\">page</html>");
                           }};
    RequestHandler::Clock::time_point now{};
};

TEST_F(RemoteHandlerTest, StateAnswersEitherKeyWithTheClocksFields) {
    RemoteSnapshot overtime;
    overtime.show = true;
    overtime.remainingSeconds = -75;
    overtime.overtime = true;
    overtime.message = "请总结";
    snapshots.Publish(overtime);
    for (const std::string& key : {kView, kControl}) {
        const Reply reply = Send("GET", "/api/state", "X-Quorrin-Key: " + key + "\r\n");
        ASSERT_EQ(Status(reply), 200) << key;
        const auto state = Json(reply);
        EXPECT_EQ(state.at("remaining").as_int64(), -75);
        EXPECT_TRUE(state.at("overtime").as_bool());
        EXPECT_TRUE(state.at("show").as_bool());
        EXPECT_EQ(state.at("message").as_string(), "请总结");
        for (const char* field : {"presentation", "planned", "paused", "warning", "hidden"})
            EXPECT_TRUE(state.contains(field)) << field;
        EXPECT_EQ(reply.response.find("Access-Control-Allow-Origin"), reply.response.end());
    }
}

TEST_F(RemoteHandlerTest, RefusesAMissingOrUnknownKey) {
    EXPECT_EQ(Status(Send("GET", "/api/state")), 401);
    EXPECT_EQ(Status(Send("GET", "/api/state", "X-Quorrin-Key: " + kView.substr(1) + "\r\n")), 401);
    EXPECT_EQ(Status(Send("GET", "/api/state", "X-Quorrin-Key: " + kView + "x\r\n")), 401);
    EXPECT_EQ(Status(Send("GET", "/api/events")), 401);
    EXPECT_EQ(Status(Send("GET", "/api/events?key=" + kView.substr(0, 21))), 401);
    EXPECT_EQ(Status(Send("GET", "/v/")), 401);
    EXPECT_EQ(Status(Post("pause", "{}", "")), 401);
    EXPECT_TRUE(owner.Received().empty());
    // The stream takes its key in the query, since EventSource cannot set headers.
    EXPECT_TRUE(Send("GET", "/api/events?x=1&key=" + kView).opensEventStream);
}

TEST_F(RemoteHandlerTest, TheViewKeyOnlyViews) {
    EXPECT_EQ(Status(Post("pause", "{}", kView)), 403);
    EXPECT_EQ(Status(Post("message", R"({"text":"hi"})", kView)), 403);
    EXPECT_EQ(Status(Send("GET", "/c/" + kView)), 403);
    EXPECT_TRUE(owner.Received().empty());
    EXPECT_EQ(Status(Send("GET", "/v/" + kView)), 200);
    EXPECT_EQ(Status(Send("GET", "/v/" + kControl)), 200);
    EXPECT_EQ(Status(Send("GET", "/c/" + kControl)), 200);
}

TEST_F(RemoteHandlerTest, AForeignHostIsRefusedWhateverTheKey) {
    EXPECT_EQ(Status(Send("GET", "/api/state",
                          "Host: quiz.example.com:8217\r\nX-Quorrin-Key: " + kControl + "\r\n")),
              421);
    EXPECT_EQ(Status(Send("GET", "/c/" + kControl, "Host: podium-pc.evil.net\r\n")), 421);
    EXPECT_EQ(Status(Post("pause", "{}")), 200);  // the default Host is an address
    EXPECT_EQ(owner.Received().size(), 1u);
}

TEST(RemoteHostTest, AllowsAddressesLocalhostAndThisComputersNameOnly) {
    for (const char* host :
         {"192.168.1.5", "192.168.1.5:8217", "[fe80::1]", "[::1]:8217", "localhost", "LocalHost:80",
          "localhost.", "podium-pc", "PODIUM-PC:8217", "podium-pc.local"})
        EXPECT_TRUE(IsAllowedHost(host, "PODIUM-PC")) << host;
    for (const char* host :
         {"", "192.168.1.256", "192.168.1", "1.2.3.4.5", "evil.com", "podium-pc.evil.com",
          "localhost.evil.com", "podium-pc:", "podium-pc:80x", "[::1", "[::1]x", "[evil]", "a:b:c"})
        EXPECT_FALSE(IsAllowedHost(host, "PODIUM-PC")) << host;
    EXPECT_FALSE(IsAllowedHost("podium-pc", ""));
}

TEST_F(RemoteHandlerTest, APostNeedsJsonTypeAndAReadableBody) {
    const std::string key = "X-Quorrin-Key: " + kControl + "\r\n";
    EXPECT_EQ(Status(Send("POST", "/api/pause", key + "Content-Type: text/plain\r\n", "{}")), 415);
    EXPECT_EQ(Status(Send("POST", "/api/pause", key, "{}")), 415);
    EXPECT_EQ(Status(Send("POST", "/api/pause",
                          key + "Content-Type: application/x-www-form-urlencoded\r\n", "a=1")),
              415);
    for (const char* body : {"{", "[]", "null", "\"x\"", "{}x"})
        EXPECT_EQ(Status(Post("pause", body)), 400) << body;
    for (const char* body :
         {"", "{}", R"({"seconds":"60"})", R"({"seconds":1.5})", R"({"second":60})"})
        EXPECT_EQ(Status(Post("add", body)), 400) << body;
    EXPECT_EQ(Status(Post("message", R"({"text":5})")), 400);
    EXPECT_TRUE(owner.Received().empty());
    EXPECT_EQ(Status(Send("POST", "/api/pause",
                          key + "Content-Type: Application/JSON; charset=utf-8\r\n")),
              200);
}

TEST_F(RemoteHandlerTest, AddTakesAnHourEitherWayAndAnswersTheNewState) {
    const Reply added = Post("add", R"({"seconds": 3600})");
    ASSERT_EQ(Status(added), 200);
    EXPECT_EQ(Json(added).at("remaining").as_int64(), 600 + 3600);
    EXPECT_EQ(Status(Post("add", R"({"seconds": -3600})")), 200);
    EXPECT_EQ(Status(Post("add", R"({"seconds": 3601})")), 400);
    EXPECT_EQ(Status(Post("add", R"({"seconds": -3601})")), 400);
    EXPECT_EQ(Status(Post("add", R"({"seconds": 99999999999999999999})")), 400);
    const auto received = owner.Received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1], MakeCommand(RemoteAction::AddSeconds, -3600));
}

TEST_F(RemoteHandlerTest, AMessageIsCountedInCharactersNotBytes) {
    std::string eighty;
    for (int i = 0; i < 80; ++i) eighty += "字";  // 240 bytes
    EXPECT_EQ(Status(Post("message", R"({"text":")" + eighty + "\"}")), 200);
    EXPECT_EQ(Status(Post("message", R"({"text":")" + eighty + "x\"}")), 400);
    EXPECT_EQ(Status(Post("message", R"({"text":"two\nlines"})")), 400);
    EXPECT_EQ(Status(Post("message", "{\"text\":\"\xC3\x28\"}")), 400);  // not UTF-8
    const Reply cleared = Post("message", R"({"text":""})");
    ASSERT_EQ(Status(cleared), 200);
    EXPECT_EQ(Json(cleared).at("message").as_string(), "");
    ASSERT_EQ(owner.Received().size(), 2u);
    EXPECT_EQ(owner.Received()[0].text, eighty);
}

TEST_F(RemoteHandlerTest, EachControlCallReachesTheOwner) {
    for (const char* name : {"pause", "hide", "show", "resume"})
        EXPECT_EQ(Status(Post(name, "{}")), 200);
    const auto received = owner.Received();
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].action, RemoteAction::Pause);
    EXPECT_EQ(received[1].action, RemoteAction::Hide);
    EXPECT_EQ(received[2].action, RemoteAction::Show);
    EXPECT_EQ(received[3].action, RemoteAction::Resume);
    owner.takesCommands = false;
    EXPECT_EQ(Status(Post("pause", "{}")), 503);
}

TEST_F(RemoteHandlerTest, TenWrongKeysInAMinuteShutTheAddressOutForAMinute) {
    const std::string wrong = "X-Quorrin-Key: " + std::string(22, 'w') + "\r\n";
    const std::string right = "X-Quorrin-Key: " + kView + "\r\n";
    // Nine wrong keys spread over more than a minute do not count together.
    for (int i = 0; i < 9; ++i) Send("GET", "/api/state", wrong);
    now += 61s;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Status(Send("GET", "/api/state", wrong)), 401);
    EXPECT_EQ(Status(Send("GET", "/api/state", right)), 200);
    EXPECT_EQ(Status(Send("GET", "/v/" + std::string(22, 'w'))), 401);  // the tenth
    const Reply blocked = Send("GET", "/api/state", right);
    EXPECT_EQ(Status(blocked), 429);
    EXPECT_EQ(blocked.response[http::field::retry_after], "60");
    EXPECT_EQ(Status(Send("GET", "/api/state", right, {}, "192.168.1.21")), 200);
    now += 59s;
    EXPECT_EQ(Status(Send("GET", "/api/state", right)), 429);
    now += 1s;
    EXPECT_EQ(Status(Send("GET", "/api/state", right)), 200);
}

TEST_F(RemoteHandlerTest, OversizedHeadersAndBodiesAreRefusedBeforeHandling) {
    const std::string big(9 * 1024, 'a');
    EXPECT_EQ(Status(Send("GET", "/api/state", "X-Filler: " + big + "\r\n")), 431);
    const std::string body = R"({"text":")" + std::string(4096, ' ') + "\"}";
    EXPECT_EQ(Status(Post("message", body)), 413);
    EXPECT_TRUE(owner.Received().empty());
    // Exactly at the limit the body is read (and refused for its content).
    EXPECT_EQ(Status(Post("message", R"({"text":")" + std::string(4096 - 11, ' ') + "\"}")), 400);
    EXPECT_EQ(Status(AnswerBytes(handler, "\x16\x03\x01 garbage\r\n\r\n", kPeer, now)), 400);
    EXPECT_EQ(Status(AnswerBytes(handler, "GET /api/state HTTP/1.1\r\nHost: x", kPeer, now)), 400);
}

TEST_F(RemoteHandlerTest, RoutesAndMethods) {
    EXPECT_EQ(Status(Send("GET", "/")), 404);
    EXPECT_EQ(Status(Send("GET", "/api/reboot")), 404);
    const Reply getPause = Send("GET", "/api/pause");
    EXPECT_EQ(Status(getPause), 405);
    EXPECT_EQ(getPause.response[http::field::allow], "POST");
    EXPECT_EQ(Status(Send("OPTIONS", "/api/pause", "Origin: http://evil.com\r\n")), 405);
    EXPECT_EQ(Status(Send("POST", "/api/state", "X-Quorrin-Key: " + kView + "\r\n")), 405);
    EXPECT_EQ(Status(Send("DELETE", "/c/" + kControl)), 405);
}

TEST_F(RemoteHandlerTest, ThePageSpeaksTheBrowsersLanguage) {
    const Reply chinese =
        Send("GET", "/v/" + kView, "Accept-Language: zh-CN,zh;q=0.9,en;q=0.8\r\n");
    ASSERT_EQ(Status(chinese), 200);
    EXPECT_EQ(chinese.response.body(), "<html lang=\"zh-CN\">page</html>");
    EXPECT_NE(chinese.response[http::field::content_type].find("text/html"),
              std::string_view::npos);
    EXPECT_FALSE(chinese.response["Content-Security-Policy"].empty());
    EXPECT_EQ(chinese.response["Referrer-Policy"], "no-referrer");
    EXPECT_EQ(Send("GET", "/c/" + kControl).response.body(), "<html lang=\"en\">page</html>");
}

TEST(RemotePageLanguageTest, TheHigherWeightWins) {
    EXPECT_EQ(PageLanguage("zh-CN,zh;q=0.9,en;q=0.8"), Language::Chinese);
    EXPECT_EQ(PageLanguage("en-US,en;q=0.9,zh-CN;q=0.8"), Language::English);
    EXPECT_EQ(PageLanguage("fr-FR, zh-TW;q=0.5, en;q=0.4"), Language::Chinese);
    EXPECT_EQ(PageLanguage("en;q=0.2, ZH;q=0.7"), Language::Chinese);
    EXPECT_EQ(PageLanguage("zh;q=0, en;q=0.1"), Language::English);
    EXPECT_EQ(PageLanguage("zh;q=x"), Language::English);
    EXPECT_EQ(PageLanguage("zh;q=0.001, en;q=0.0009"), Language::Chinese);
    EXPECT_EQ(PageLanguage("zh;q=0.5, en;q=0.501"), Language::English);
    EXPECT_EQ(PageLanguage("zh;q=1.5, en;q=0.1"), Language::English);
    EXPECT_EQ(PageLanguage("en;q=0.1, zh;q=1.000"), Language::Chinese);
    EXPECT_EQ(PageLanguage("zhx, de"), Language::English);
    EXPECT_EQ(PageLanguage(""), Language::English);
}

}  // namespace
}  // namespace quorrin
