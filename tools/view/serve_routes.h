// What `scenc serve` answers to an HTTP request, apart from any socket: a
// parsed request and the scenario being served in, the response out, so
// that the routes can be driven in memory (tests, fuzzing).
//
// Two paths exist. GET / is the page; GET /events opens a stream of
// server-sent events: one event "scenario" carrying the scenario's JSON
// each time a new one is published, starting with the current one. The
// server has no files behind it, so every other path, however spelled
// (dot segments, encoded dots, doubled slashes, absolute URLs), gets 404.
// A query string is ignored. HEAD is answered as GET without the body;
// other methods on the two paths get 405.
#pragma once

#include <boost/beast/http/message.hpp>
#include <boost/beast/http/status.hpp>
#include <boost/beast/http/string_body.hpp>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenc::serve {

// The page and the scenario's JSON as last published; `version` grows with
// every publication, which tells an event stream that it has a new one.
struct PublishedScenario {
  std::string page;
  std::string json;
  std::uint64_t version = 0;
};

using Request = boost::beast::http::request<boost::beast::http::string_body>;
using Response = boost::beast::http::response<boost::beast::http::string_body>;

struct Answer {
  Response response;
  // The response is the head of an event stream: its body is left empty and
  // the events follow it, as chunks when the response is chunked, otherwise
  // as plain bytes until the connection closes (HTTP/1.0).
  bool opens_event_stream = false;
};

Answer answer_request(const Request& request, const PublishedScenario& current);

// The answer to a request that could not be read (malformed, or beyond the
// limits of size): the status alone, and the connection closes.
Response answer_unreadable(boost::beast::http::status status);

// One event "scenario" carrying the JSON, which holds no line end.
std::string scenario_event(std::string_view json);

// Sent on an idle stream now and then: a comment, which the page ignores,
// and whose failed write tells a closed connection.
inline constexpr std::string_view kIdleComment = ": waiting\n\n";

}  // namespace scenc::serve
