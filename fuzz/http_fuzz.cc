// libFuzzer target of `scenc serve`'s answers: the input is the bytes a
// client sends. They go through the HTTP library's parser with the
// server's limits, as the server reads a connection, and what parses is
// answered by the routes, then serialized as the server would send it.
// Only GET or HEAD of "/" or "/events" (a query string aside) may be
// answered 200; nothing may throw or crash.
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/serializer.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/view/serve_routes.h"

namespace {

namespace http = boost::beast::http;

void verifica(bool condizione, const char* regola) {
  if (!condizione) {
    std::fprintf(stderr, "broken rule: %s\n", regola);
    std::abort();
  }
}

// The response's bytes, as a serializer hands them to a socket.
std::string serializza(scenc::serve::Response& r) {
  r.prepare_payload();
  http::serializer<false, http::string_body> s(r);
  std::string out;
  boost::system::error_code ec;
  while (!s.is_done()) {
    s.next(ec, [&](boost::system::error_code&, const auto& buffers) {
      size_t n = 0;
      for (const auto& b : buffers) {
        out.append(static_cast<const char*>(b.data()), b.size());
        n += b.size();
      }
      s.consume(n);
    });
    verifica(!ec, "a response serializes");
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const scenc::serve::PublishedScenario scenario{"<!DOCTYPE html><p>page</p>", "{\"a\":1}", 1};
  http::request_parser<http::string_body> parser;
  parser.header_limit(16 * 1024);
  parser.body_limit(16 * 1024);
  parser.eager(true);
  boost::system::error_code ec;
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  size_t used = 0;
  while (used < in.size() && !parser.is_done()) {
    const size_t n = parser.put(boost::asio::buffer(in.data() + used, in.size() - used), ec);
    if (ec == http::error::need_more) break;
    if (ec) break;
    if (n == 0) break;
    used += n;
  }
  if (ec && ec != http::error::need_more) {
    scenc::serve::Response r = scenc::serve::answer_unreadable(http::status::bad_request);
    (void)serializza(r);
    return 0;
  }
  if (!parser.is_done()) return 0;
  const scenc::serve::Request& request = parser.get();
  scenc::serve::Answer a = scenc::serve::answer_request(request, scenario);
  if (a.response.result() == http::status::ok) {
    std::string_view target(request.target().data(), request.target().size());
    target = target.substr(0, target.find('?'));
    verifica(target == "/" || target == "/events", "only the two paths are served");
    verifica(request.method() == http::verb::get || request.method() == http::verb::head, "only GET and HEAD");
  }
  if (!a.opens_event_stream) (void)serializza(a.response);
  (void)scenc::serve::scenario_event(scenario.json);
  return 0;
}
