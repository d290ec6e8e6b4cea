// The timekeeper's server on real sockets, on 127.0.0.1 only, at a port the system picks.
// Every wait has a deadline; every loop a bound. The Windows test program runs these same
// cases over Winsock (tests/win32/remote_server_test.cpp).
#include "remote/remote_server.h"
#include "remote_fakes.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read_until.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/read.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <list>
#include <optional>
#include <string>

namespace quorrin {
namespace {

namespace net = boost::asio;
using tcp = net::ip::tcp;
using namespace std::chrono_literals;

const std::string kView = "vvvvvvvvvvvvvvvvvvvvvv";
const std::string kControl = "cccccccccccccccccccccc";
constexpr auto kDeadline = 5s;

// One client connection. Each call runs the client's own io_context until the operation
// completes or the deadline passes.
class TestClient {
  public:
    explicit TestClient(uint16_t port) {
        boost::system::error_code error;
        socket_.connect(tcp::endpoint(net::ip::address_v4::loopback(), port), error);
        connected_ = !error;
    }
    bool connected() const { return connected_; }

    void Send(std::string_view bytes) {
        boost::system::error_code ignored;
        net::write(socket_, net::buffer(bytes), ignored);
    }

    // The next response, or nothing when the connection closed or the deadline passed.
    std::optional<http::response<http::string_body>> Response() {
        http::response<http::string_body> response;
        bool done = false;
        boost::system::error_code result;
        http::async_read(socket_, buffer_, response, [&](boost::system::error_code e, size_t) {
            result = e;
            done = true;
        });
        if (!RunUntil(done) || result) return std::nullopt;
        return response;
    }

    // Bytes until `marker` appears (true) or the connection ends or the deadline passes.
    bool ReadUntil(std::string_view marker) {
        bool done = false;
        boost::system::error_code result;
        net::async_read_until(socket_, net::dynamic_buffer(text_), marker,
                              [&](boost::system::error_code e, size_t) {
                                  result = e;
                                  done = true;
                              });
        return RunUntil(done) && !result;
    }
    std::string TakeText() { return std::exchange(text_, {}); }

    // True when the server closes the connection without sending anything first.
    bool ClosedWithoutAWord() {
        char byte = 0;
        bool done = false;
        boost::system::error_code result;
        size_t received = 0;
        socket_.async_read_some(net::buffer(&byte, 1), [&](boost::system::error_code e, size_t n) {
            result = e;
            received = n;
            done = true;
        });
        return RunUntil(done) && result && received == 0;
    }

  private:
    bool RunUntil(const bool& done) {
        io_.restart();
        io_.run_for(kDeadline);
        if (!done) {
            boost::system::error_code ignored;
            socket_.cancel(ignored);
            io_.restart();
            io_.run_for(kDeadline);
        }
        return done && socket_.is_open();
    }

    net::io_context io_;
    tcp::socket socket_{io_};
    bool connected_ = false;
    boost::beast::flat_buffer buffer_;
    std::string text_;
};

std::string StateRequest(const std::string& key, std::string_view extra = {}) {
    return "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Quorrin-Key: " + key + "\r\n" +
           std::string(extra) + "\r\n";
}

class RemoteServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(server.Start(0, RemoteServer::Reach::ThisComputerOnly, error)) << error;
        port = server.Port();
        ASSERT_NE(port, 0);
    }
    // A state request on `client`: true on a 200.
    static bool StateOk(TestClient& client) {
        client.Send(StateRequest(kView));
        const auto response = client.Response();
        return response && response->result_int() == 200;
    }

    SnapshotBox snapshots;
    FakeClockOwner owner{snapshots};
    RequestHandler handler{
        {kView, kControl, "PODIUM"}, snapshots, owner, [] { return std::string("page"); }};
    RemoteServer server{handler, snapshots};
    uint16_t port = 0;
};

TEST_F(RemoteServerTest, AnswersCallsOnOneKeptAliveConnection) {
    TestClient client(port);
    ASSERT_TRUE(client.connected());
    ASSERT_TRUE(StateOk(client));
    const std::string body = R"({"seconds": -60})";
    client.Send("POST /api/add HTTP/1.1\r\nHost: localhost:" + std::to_string(port) +
                "\r\nX-Quorrin-Key: " + kControl +
                "\r\nContent-Type: application/json\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\n\r\n" + body);
    const auto added = client.Response();
    ASSERT_TRUE(added);
    EXPECT_EQ(added->result_int(), 200);
    EXPECT_NE(added->body().find("\"remaining\":540"), std::string::npos) << added->body();
    client.Send("GET /api/state HTTP/1.1\r\nHost: attacker.example\r\nX-Quorrin-Key: " + kView +
                "\r\n\r\n");
    const auto foreign = client.Response();
    ASSERT_TRUE(foreign);
    EXPECT_EQ(foreign->result_int(), 421);
}

TEST_F(RemoteServerTest, TheThirtyThirdConnectionIsClosedAtOnce) {
    std::list<TestClient> clients;
    for (int i = 0; i < RemoteServer::kMaxConnections; ++i) {
        clients.emplace_back(port);
        ASSERT_TRUE(StateOk(clients.back())) << i;  // answered: its session is live
    }
    TestClient extra(port);
    ASSERT_TRUE(extra.connected());
    EXPECT_TRUE(extra.ClosedWithoutAWord());

    // One leaves; its place is free again once the server has seen it go.
    clients.front().Send(StateRequest(kView, "Connection: close\r\n"));
    ASSERT_TRUE(clients.front().Response());
    clients.pop_front();
    bool admitted = false;
    const auto until = std::chrono::steady_clock::now() + kDeadline;
    for (int attempt = 0; attempt < 500 && !admitted && std::chrono::steady_clock::now() < until;
         ++attempt) {
        TestClient again(port);
        admitted = StateOk(again);
    }
    EXPECT_TRUE(admitted);
}

TEST_F(RemoteServerTest, GarbageAndOversizedRequestsLeaveTheServerAnswering) {
    {
        TestClient garbage(port);
        garbage.Send(std::string("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n", 15));
        const auto refused = garbage.Response();
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->result_int(), 400);
    }
    {
        TestClient oversized(port);
        oversized.Send(
            "POST /api/message HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
            "X-Quorrin-Key: " +
            kControl + "\r\nContent-Length: 5000\r\n\r\n" + std::string(5000, ' '));
        const auto refused = oversized.Response();
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->result_int(), 413);
    }
    {
        TestClient half(port);
        half.Send("GET /api/st");
    }
    TestClient after(port);
    EXPECT_TRUE(StateOk(after));
    EXPECT_TRUE(owner.Received().empty());
}

TEST_F(RemoteServerTest, TheEventStreamSendsEachNewState) {
    TestClient client(port);
    client.Send("GET /api/events?key=" + kView + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    ASSERT_TRUE(client.ReadUntil("\r\n\r\n"));
    std::string text = client.TakeText();
    EXPECT_NE(text.find("text/event-stream"), std::string::npos) << text;
    if (text.find("\"remaining\":600") == std::string::npos) {
        ASSERT_TRUE(client.ReadUntil("\n\n"));
        EXPECT_NE(client.TakeText().find("\"remaining\":600"), std::string::npos);
    }
    RemoteSnapshot later;
    later.show = true;
    later.remainingSeconds = 599;
    snapshots.Publish(later);
    ASSERT_TRUE(client.ReadUntil("\n\n"));
    EXPECT_NE(client.TakeText().find("\"remaining\":599"), std::string::npos);
}

TEST_F(RemoteServerTest, StopClosesEveryConnectionAndTheDoor) {
    TestClient client(port);
    ASSERT_TRUE(StateOk(client));
    server.Stop();
    EXPECT_EQ(server.Port(), 0);
    EXPECT_TRUE(client.ClosedWithoutAWord());
    EXPECT_FALSE(TestClient(port).connected());
    // And it opens again on the same port.
    std::string error;
    ASSERT_TRUE(server.Start(port, RemoteServer::Reach::ThisComputerOnly, error)) << error;
    TestClient again(port);
    EXPECT_TRUE(StateOk(again));
}

}  // namespace
}  // namespace quorrin
