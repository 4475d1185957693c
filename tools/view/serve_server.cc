#include "tools/view/serve_server.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/error.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>
#include <array>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <unordered_set>
#include <utility>

#include "platform/listening_socket.h"
#include "tools/view/serve_routes.h"

namespace scenc::serve {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = net::ip::tcp;

namespace {

// A request must arrive whole within this time of the connection's last
// answer (or of its opening): a client that sends slowly, or keeps an idle
// connection, is closed.
constexpr auto kRequestTime = std::chrono::seconds(30);
// Each write must be taken within this time: a client that stops reading
// is closed.
constexpr auto kWriteTime = std::chrono::seconds(30);
// An event stream with nothing new is sent a comment this often.
constexpr auto kIdleInterval = std::chrono::seconds(15);
// After the last answer on a connection, what the client still sends is
// read and dropped for up to this long and this much, so that closing the
// socket with bytes unread (which resets the connection) does not destroy
// the answer before the client has read it.
constexpr auto kLingerTime = std::chrono::seconds(2);
constexpr std::size_t kLingerBytes = 1024 * 1024;
// After a failed accept (no descriptor left, say), the wait before the next.
constexpr auto kAcceptRetry = std::chrono::milliseconds(100);
constexpr std::uint32_t kHeaderLimit = 16 * 1024;
constexpr std::uint64_t kBodyLimit = 16 * 1024;
// Connections beyond this many are closed as soon as they are accepted.
constexpr std::size_t kMaxConnections = 64;

}  // namespace

class Connection;

struct ServerState {
  explicit ServerState(net::io_context& context) : io(context), acceptor(context), accept_retry(context) {}
  net::io_context& io;
  tcp::acceptor acceptor;
  net::steady_timer accept_retry;
  std::shared_ptr<const PublishedScenario> current = std::make_shared<const PublishedScenario>();
  // Every open connection; each removes itself when it ends.
  std::unordered_set<Connection*> connections;
  bool stopped = false;
};

// One client's connection: requests read and answered in turn (kept alive
// as the client asks), until one of them opens an event stream, which then
// holds the connection to its end.
class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection(std::shared_ptr<ServerState> server, tcp::socket socket)
      : server_(std::move(server)), stream_(std::move(socket)), idle_timer_(server_->io) {}
  ~Connection() { server_->connections.erase(this); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void start() {
    server_->connections.insert(this);
    read_request();
  }

  // Ends the connection: its pending operations finish with an error and
  // start nothing more.
  void close() {
    idle_timer_.cancel();
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
    stream_.close();
  }

  void scenario_published() {
    if (!streaming_ || writing_) return;
    idle_timer_.cancel();
    send_newest_or_wait();
  }

 private:
  void read_request() {
    if (server_->stopped) return;
    parser_.emplace();
    parser_->header_limit(kHeaderLimit);
    parser_->body_limit(kBodyLimit);
    stream_.expires_after(kRequestTime);
    http::async_read(stream_, buffer_, *parser_,
                     [self = shared_from_this()](beast::error_code ec, std::size_t) { self->request_read(ec); });
  }

  void request_read(beast::error_code ec) {
    if (ec == http::error::end_of_stream) return end_sending();
    if (ec) {
      // A request that cannot be read is told why, and the connection
      // closes; a connection lost or timed out just closes.
      if (ec == http::error::header_limit) return send(answer_unreadable(http::status::request_header_fields_too_large));
      if (ec == http::error::body_limit) return send(answer_unreadable(http::status::payload_too_large));
      if (ec.category() == beast::http::make_error_code(http::error::bad_target).category() &&
          ec != http::error::partial_message)
        return send(answer_unreadable(http::status::bad_request));
      return close();
    }
    Answer answer = answer_request(parser_->get(), *server_->current);
    if (answer.opens_event_stream) return open_stream(answer.response);
    send(std::move(answer.response));
  }

  void send(Response response) {
    auto message = std::make_shared<Response>(std::move(response));
    stream_.expires_after(kWriteTime);
    http::async_write(stream_, *message, [self = shared_from_this(), message](beast::error_code ec, std::size_t) {
      if (ec) return self->close();
      if (message->need_eof()) return self->end_sending();
      self->read_request();
    });
  }

  // Tells the client that nothing more comes, and lingers (kLingerTime);
  // the socket closes when the last handler lets go of the connection.
  void end_sending() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.expires_after(kLingerTime);
    drop_input();
  }

  void drop_input() {
    if (server_->stopped || dropped_ > kLingerBytes) return;
    stream_.async_read_some(net::buffer(discard_), [self = shared_from_this()](beast::error_code ec, std::size_t n) {
      if (ec) return;
      self->dropped_ += n;
      self->drop_input();
    });
  }

  // The stream's head goes out with the current scenario.
  void open_stream(const Response& head) {
    streaming_ = true;
    chunked_ = head.chunked();
    std::ostringstream bytes;
    bytes << head.base();
    sent_version_ = server_->current->version;
    write_stream(bytes.str() + framed(scenario_event(server_->current->json)));
  }

  std::string framed(std::string_view event) const {
    if (!chunked_) return std::string(event);
    char size[2 * sizeof(std::size_t)];
    const auto end = std::to_chars(size, size + sizeof size, event.size(), 16).ptr;
    std::string chunk(size, end);
    chunk.append("\r\n").append(event).append("\r\n");
    return chunk;
  }

  void write_stream(std::string bytes) {
    writing_ = true;
    pending_ = std::move(bytes);
    stream_.expires_after(kWriteTime);
    net::async_write(stream_, net::buffer(pending_), [self = shared_from_this()](beast::error_code ec, std::size_t) {
      self->writing_ = false;
      if (ec || self->server_->stopped) return self->close();
      self->send_newest_or_wait();
    });
  }

  // Sends the newest scenario if this stream has not had it; otherwise
  // waits, and sends a comment if nothing new comes.
  void send_newest_or_wait() {
    const PublishedScenario& now = *server_->current;
    if (now.version != sent_version_) {
      sent_version_ = now.version;
      return write_stream(framed(scenario_event(now.json)));
    }
    idle_timer_.expires_after(kIdleInterval);
    idle_timer_.async_wait([self = shared_from_this()](beast::error_code ec) {
      if (ec || self->writing_ || self->server_->stopped) return;
      self->write_stream(self->framed(kIdleComment));
    });
  }

  std::shared_ptr<ServerState> server_;
  beast::tcp_stream stream_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
  net::steady_timer idle_timer_;
  bool streaming_ = false;
  bool chunked_ = false;
  bool writing_ = false;
  std::uint64_t sent_version_ = 0;
  std::string pending_;  // the bytes being written on the stream
  std::array<char, 4096> discard_;
  std::size_t dropped_ = 0;
};

namespace {

void accept_next(const std::shared_ptr<ServerState>& state) {
  state->acceptor.async_accept([state](beast::error_code ec, tcp::socket socket) {
    if (state->stopped) return;
    if (ec) {
      state->accept_retry.expires_after(kAcceptRetry);
      state->accept_retry.async_wait([state](beast::error_code e) {
        if (!e && !state->stopped) accept_next(state);
      });
      return;
    }
    // Beyond the limit, the socket closes as it goes out of scope.
    if (state->connections.size() < kMaxConnections)
      std::make_shared<Connection>(state, std::move(socket))->start();
    accept_next(state);
  });
}

}  // namespace

PageServer::PageServer(net::io_context& io) : state_(std::make_shared<ServerState>(io)) {}

PageServer::~PageServer() { stop(); }

std::optional<unsigned short> PageServer::listen(const std::string& host, unsigned short port, std::string& error) {
  tcp::resolver resolver(state_->io);
  beast::error_code ec;
  const tcp::resolver::results_type found = resolver.resolve(
      host, std::to_string(port), tcp::resolver::passive | tcp::resolver::numeric_service, ec);
  if (ec) {
    error = ec.message();
    return std::nullopt;
  }
  tcp::acceptor& acceptor = state_->acceptor;
  error = "no address found";
  for (const tcp::resolver::results_type::value_type& entry : found) {
    acceptor.open(entry.endpoint().protocol(), ec);
    if (!ec) scen::platform::prepare_listening_socket(acceptor, ec);
    if (!ec) acceptor.bind(entry.endpoint(), ec);
    if (!ec) acceptor.listen(net::socket_base::max_listen_connections, ec);
    tcp::endpoint bound;
    if (!ec) bound = acceptor.local_endpoint(ec);
    if (!ec) {
      accept_next(state_);
      return bound.port();
    }
    error = ec.message();
    beast::error_code ignored;
    acceptor.close(ignored);
  }
  return std::nullopt;
}

void PageServer::publish(std::string page, std::string json) {
  const std::uint64_t version = state_->current->version + 1;
  state_->current = std::make_shared<const PublishedScenario>(PublishedScenario{std::move(page), std::move(json), version});
  for (Connection* c : state_->connections) c->scenario_published();
}

void PageServer::stop() {
  state_->stopped = true;
  beast::error_code ignored;
  state_->acceptor.close(ignored);
  state_->accept_retry.cancel();
  for (Connection* c : state_->connections) c->close();
}

}  // namespace scenc::serve
