#include "remote/remote_server.h"

#include "remote/request_reading.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/bind_handler.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

#include <array>
#include <exception>
#include <optional>
#include <thread>

namespace quorrin {

namespace net = boost::asio;
namespace beast = boost::beast;
using tcp = net::ip::tcp;
using boost::system::error_code;

namespace {

// After refusing a request the server stops sending and reads what the client still sends
// for a short while, so that closing with unread bytes does not reset the connection before
// the client has read the refusal.
constexpr std::chrono::seconds kLingerTimeout{2};
constexpr size_t kLingerMaxBytes = 64 * 1024;
constexpr size_t kLingerChunkBytes = 4 * 1024;
constexpr std::string_view kKeepAliveComment = ":\n\n";

}  // namespace

struct RemoteServer::Impl {
    Impl(RequestHandler& handler, const SnapshotBox& snapshots)
        : handler(handler), snapshots(snapshots), acceptor(io) {}
    ~Impl() {
        io.stop();
        if (thread.joinable()) thread.join();
        // The acceptor closes first; then the io_context, going, destroys the handlers that
        // still hold sessions, and with them every connection.
    }

    void Accept();
    void OnAccept(error_code error, tcp::socket socket);
    void Run();

    RequestHandler& handler;
    const SnapshotBox& snapshots;
    int liveSessions = 0;  // server thread only
    uint16_t port = 0;
    net::io_context io{1};
    tcp::acceptor acceptor;
    std::thread thread;
};

namespace {

class Session : public std::enable_shared_from_this<Session> {
  public:
    Session(tcp::socket socket, RequestHandler& handler, const SnapshotBox& snapshots,
            int& liveSessions)
        : stream_(std::move(socket)),
          handler_(handler),
          snapshots_(snapshots),
          liveSessions_(liveSessions),
          timer_(stream_.get_executor()) {
        ++liveSessions_;
        error_code error;
        const tcp::endpoint peer = stream_.socket().remote_endpoint(error);
        peer_ = error ? std::string("?") : peer.address().to_string();
    }
    ~Session() { --liveSessions_; }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void Run() {
        net::dispatch(stream_.get_executor(),
                      beast::bind_front_handler(&Session::Read, shared_from_this()));
    }

  private:
    void Read() {
        parser_.emplace();
        ApplyRequestLimits(*parser_);
        stream_.expires_after(RemoteServer::kIdleTimeout);
        http::async_read(stream_, buffer_, *parser_,
                         beast::bind_front_handler(&Session::OnRead, shared_from_this()));
    }

    void OnRead(error_code error, size_t) {
        if (error == http::error::end_of_stream || error == beast::error::timeout ||
            error == net::error::operation_aborted || error == net::error::connection_reset ||
            error == net::error::eof) {
            Close();
            return;
        }
        if (error) {
            Write(ReadFailureResponse(StatusForReadError(error)));
            return;
        }
        Reply reply = handler_.Handle(parser_->get(), peer_, RequestHandler::Clock::now());
        if (reply.opensEventStream) {
            StartEvents(parser_->get().version());
            return;
        }
        Write(std::move(reply.response));
    }

    void Write(HttpResponse response) {
        response_.emplace(std::move(response));
        stream_.expires_after(RemoteServer::kWriteTimeout);
        http::async_write(stream_, *response_,
                          beast::bind_front_handler(&Session::OnWrite, shared_from_this()));
    }

    void OnWrite(error_code error, size_t) {
        if (error) {
            Close();
            return;
        }
        const bool keepAlive = response_->keep_alive();
        response_.reset();
        if (keepAlive) {
            Read();
        } else {
            Linger();
        }
    }

    void Linger() {
        error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
        stream_.expires_after(kLingerTimeout);
        ReadAndDiscard();
    }

    void ReadAndDiscard() {
        stream_.async_read_some(net::buffer(discard_),
                                [self = shared_from_this()](error_code error, size_t n) {
                                    self->discarded_ += n;
                                    if (error || self->discarded_ >= kLingerMaxBytes) {
                                        self->Close();
                                    } else {
                                        self->ReadAndDiscard();
                                    }
                                });
    }

    void StartEvents(unsigned version) {
        head_.emplace(EventStreamHead(version));
        headWriter_.emplace(*head_);
        stream_.expires_after(RemoteServer::kWriteTimeout);
        http::async_write_header(
            stream_, *headWriter_,
            beast::bind_front_handler(&Session::OnEventWritten, shared_from_this()));
    }

    void OnEventWritten(error_code error, size_t) {
        if (error) {
            Close();
            return;
        }
        lastWrite_ = std::chrono::steady_clock::now();
        SendEventIfDue();
    }

    void SendEventIfDue() {
        const SnapshotBox::Versioned current = snapshots_.Read();
        if (current.version != sentVersion_) {
            sentVersion_ = current.version;
            event_ = EventText(current.snapshot);
        } else if (std::chrono::steady_clock::now() - lastWrite_ >= RemoteServer::kEventKeepAlive) {
            event_ = kKeepAliveComment;
        } else {
            timer_.expires_after(RemoteServer::kEventPoll);
            timer_.async_wait([self = shared_from_this()](error_code error) {
                if (!error) self->SendEventIfDue();
            });
            return;
        }
        stream_.expires_after(RemoteServer::kWriteTimeout);
        net::async_write(stream_, net::buffer(event_),
                         beast::bind_front_handler(&Session::OnEventWritten, shared_from_this()));
    }

    void Close() {
        error_code ignored;
        timer_.cancel();
        stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
        stream_.close();
    }

    beast::tcp_stream stream_;
    RequestHandler& handler_;
    const SnapshotBox& snapshots_;
    int& liveSessions_;
    std::string peer_;
    beast::flat_buffer buffer_;
    std::optional<RequestParser> parser_;
    std::optional<HttpResponse> response_;
    std::array<char, kLingerChunkBytes> discard_{};
    size_t discarded_ = 0;
    std::optional<http::response<http::empty_body>> head_;
    std::optional<http::response_serializer<http::empty_body>> headWriter_;
    net::steady_timer timer_;
    std::string event_;
    uint64_t sentVersion_ = 0;
    std::chrono::steady_clock::time_point lastWrite_;
};

}  // namespace

void RemoteServer::Impl::Accept() {
    acceptor.async_accept(beast::bind_front_handler(&Impl::OnAccept, this));
}

void RemoteServer::Impl::OnAccept(error_code error, tcp::socket socket) {
    if (error == net::error::operation_aborted) return;
    if (!error) {
        if (liveSessions < kMaxConnections) {
            std::make_shared<Session>(std::move(socket), handler, snapshots, liveSessions)->Run();
        } else {
            // Over the cap: closed at once, without a word.
            error_code ignored;
            socket.close(ignored);
        }
    }
    Accept();
}

void RemoteServer::Impl::Run() {
    // A fault in one session must not end the server: that session is dropped, the rest go on.
    for (;;) {
        try {
            io.run();
            return;
        } catch (const std::exception&) {
        }
    }
}

RemoteServer::RemoteServer(RequestHandler& handler, const SnapshotBox& snapshots)
    : handler_(handler), snapshots_(snapshots) {}

RemoteServer::~RemoteServer() { Stop(); }

bool RemoteServer::Start(uint16_t port, Reach reach, std::string& error) {
    Stop();
    auto impl = std::make_unique<Impl>(handler_, snapshots_);
    const tcp::endpoint endpoint{
        reach == Reach::Network ? net::ip::address_v4::any() : net::ip::address_v4::loopback(),
        port};
    error_code failure;
    impl->acceptor.open(endpoint.protocol(), failure);
#if !defined(_WIN32)
    // Elsewhere a restart must not wait for the old connections' TIME_WAIT. Not on Windows,
    // where SO_REUSEADDR would let a second program take the same port.
    if (!failure) impl->acceptor.set_option(net::socket_base::reuse_address(true), failure);
#endif
    if (!failure) impl->acceptor.bind(endpoint, failure);
    if (!failure) impl->acceptor.listen(net::socket_base::max_listen_connections, failure);
    if (failure) {
        error = failure.message();
        return false;
    }
    impl->port = impl->acceptor.local_endpoint(failure).port();
    impl->Accept();
    impl->thread = std::thread([raw = impl.get()] { raw->Run(); });
    impl_ = std::move(impl);
    return true;
}

void RemoteServer::Stop() { impl_.reset(); }

uint16_t RemoteServer::Port() const { return impl_ ? impl_->port : 0; }

}  // namespace quorrin
