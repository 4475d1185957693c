// The answers of `scenc serve` to requests, driven in memory: only the page
// and the event stream exist, whatever tricks a path plays; HEAD, other
// methods, HTTP/1.0 and the stream's framing.
#include "tools/view/serve_routes.h"

#include <gtest/gtest.h>

#include <boost/beast/http/field.hpp>
#include <boost/beast/http/verb.hpp>
#include <string>

namespace {

namespace http = boost::beast::http;
using scenc::serve::answer_request;
using scenc::serve::Answer;
using scenc::serve::PublishedScenario;
using scenc::serve::Request;

const PublishedScenario kServed{"<!doctype html><p>page</p>", R"({"live":true})", 3};

Answer ask(http::verb method, const std::string& target, unsigned version = 11) {
  Request r{method, target, version};
  r.set(http::field::host, "127.0.0.1:8080");
  return answer_request(r, kServed);
}

TEST(ServeRoutes, OnlyThePageAndTheStreamAreThere) {
  struct Case {
    const char* target;
    http::status status;
    bool stream;
  };
  const Case cases[] = {
      {"/", http::status::ok, false},
      {"/?reload=1", http::status::ok, false},
      {"/events", http::status::ok, true},
      {"/events?x", http::status::ok, true},
      {"/events/", http::status::not_found, false},
      {"/elsewhere", http::status::not_found, false},
      {"//", http::status::not_found, false},
      {"/../", http::status::not_found, false},
      {"/./", http::status::not_found, false},
      {"/%2e%2e/%2e%2e/etc/passwd", http::status::not_found, false},
      {"/..%2f..%2fetc/passwd", http::status::not_found, false},
      {"/%65vents", http::status::not_found, false},
      {"/index.html", http::status::not_found, false},
      {"http://127.0.0.1:8080/", http::status::not_found, false},
      {"*", http::status::not_found, false},
      {"", http::status::not_found, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const Answer a = ask(http::verb::get, c.target);
    EXPECT_EQ(a.response.result(), c.status);
    EXPECT_EQ(a.opens_event_stream, c.stream);
    if (c.status == http::status::not_found) {
      EXPECT_EQ(a.response.body().find("page"), std::string::npos);
    }
  }
}

TEST(ServeRoutes, ThePageAndItsHead) {
  const Answer get = ask(http::verb::get, "/");
  EXPECT_EQ(get.response.body(), kServed.page);
  EXPECT_EQ(get.response[http::field::content_type], "text/html; charset=utf-8");
  EXPECT_EQ(get.response[http::field::cache_control], "no-store");
  EXPECT_EQ(get.response[http::field::content_length], std::to_string(kServed.page.size()));
  EXPECT_TRUE(get.response.keep_alive());

  const Answer head = ask(http::verb::head, "/");
  EXPECT_EQ(head.response.result(), http::status::ok);
  EXPECT_TRUE(head.response.body().empty());
  EXPECT_EQ(head.response[http::field::content_length], std::to_string(kServed.page.size()));
  EXPECT_FALSE(ask(http::verb::head, "/events").opens_event_stream);

  for (const http::verb v : {http::verb::post, http::verb::put, http::verb::delete_, http::verb::options}) {
    const Answer a = ask(v, "/");
    EXPECT_EQ(a.response.result(), http::status::method_not_allowed);
    EXPECT_EQ(a.response[http::field::allow], "GET, HEAD");
  }
  EXPECT_EQ(ask(http::verb::post, "/secret").response.result(), http::status::not_found);
}

TEST(ServeRoutes, TheStreamIsChunkedInHttp11AndRunsToTheCloseInHttp10) {
  const Answer v11 = ask(http::verb::get, "/events");
  EXPECT_EQ(v11.response[http::field::content_type], "text/event-stream");
  EXPECT_TRUE(v11.response.chunked());
  EXPECT_FALSE(v11.response.keep_alive());
  const Answer v10 = ask(http::verb::get, "/events", 10);
  EXPECT_TRUE(v10.opens_event_stream);
  EXPECT_FALSE(v10.response.chunked());
  EXPECT_FALSE(v10.response.keep_alive());
  EXPECT_EQ(scenc::serve::scenario_event(kServed.json), "event: scenario\ndata: {\"live\":true}\n\n");
}

}  // namespace
