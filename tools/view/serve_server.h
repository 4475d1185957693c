// The HTTP server of `scenc serve`, on Boost.Asio and Boost.Beast: it
// accepts connections, reads each request within limits of size and time,
// answers it through answer_request (tools/view/serve_routes.h), and keeps
// the event streams open, sending each the newest scenario when one is
// published. Everything runs on the io_context it is given, on the thread
// that runs it: nothing here takes a lock.
#pragma once

#include <boost/asio/io_context.hpp>
#include <memory>
#include <optional>
#include <string>

namespace scenc::serve {

struct ServerState;

class PageServer {
 public:
  explicit PageServer(boost::asio::io_context& io);
  ~PageServer();
  PageServer(const PageServer&) = delete;
  PageServer& operator=(const PageServer&) = delete;

  // Binds host (an address or a name) and port (0: a free one) and starts
  // accepting; the port bound, or nothing with the reason in `error`.
  std::optional<unsigned short> listen(const std::string& host, unsigned short port, std::string& error);

  // Replaces the page and the scenario's JSON; every open event stream is
  // sent the new JSON (a stream still busy with an older one is sent only
  // the newest once it is done).
  void publish(std::string page, std::string json);

  // Stops accepting and closes every connection; the io_context's run()
  // returns once their handlers have seen it.
  void stop();

 private:
  std::shared_ptr<ServerState> state_;
};

}  // namespace scenc::serve
