#include "tools/view/serve_routes.h"

#include <boost/beast/http/field.hpp>
#include <boost/beast/http/verb.hpp>
#include <utility>

namespace scenc::serve {

namespace http = boost::beast::http;

namespace {

Response text_response(http::status status, unsigned version, bool keep_alive) {
  Response r{status, version};
  r.set(http::field::content_type, "text/plain; charset=utf-8");
  r.set(http::field::cache_control, "no-store");
  r.body() = std::string(http::obsolete_reason(status)) + "\n";
  r.keep_alive(keep_alive);
  r.prepare_payload();
  return r;
}

}  // namespace

Answer answer_request(const Request& request, const PublishedScenario& current) {
  const std::string_view target(request.target().data(), request.target().size());
  const std::string_view path = target.substr(0, target.find('?'));
  const bool page = path == "/";
  const bool events = path == "/events";
  const unsigned version = request.version();
  const bool keep_alive = request.keep_alive();
  if (!page && !events) return {text_response(http::status::not_found, version, keep_alive)};
  const bool head = request.method() == http::verb::head;
  if (!head && request.method() != http::verb::get) {
    Answer a{text_response(http::status::method_not_allowed, version, keep_alive)};
    a.response.set(http::field::allow, "GET, HEAD");
    return a;
  }

  Answer a{Response{http::status::ok, version}};
  Response& r = a.response;
  r.set(http::field::cache_control, "no-store");
  if (page) {
    r.set(http::field::content_type, "text/html; charset=utf-8");
    r.keep_alive(keep_alive);
    if (head) {
      r.content_length(current.page.size());
    } else {
      r.body() = current.page;
      r.prepare_payload();
    }
    return a;
  }
  r.set(http::field::content_type, "text/event-stream");
  if (head) {
    r.keep_alive(keep_alive);
    return a;
  }
  // The stream ends only when the connection does.
  a.opens_event_stream = true;
  r.keep_alive(false);
  if (version >= 11) r.chunked(true);
  return a;
}

Response answer_unreadable(http::status status) { return text_response(status, 11, false); }

std::string scenario_event(std::string_view json) {
  std::string e = "event: scenario\ndata: ";
  e.append(json);
  e.append("\n\n");
  return e;
}

}  // namespace scenc::serve
