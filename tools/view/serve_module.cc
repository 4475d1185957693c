// The module's side of `scenc serve` (tools/view/serve_module.h).
#include "tools/view/serve_module.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace scenc::serve {

struct Server {
  httplib::Server http;
  std::thread thread;
  std::mutex mutex;
  std::condition_variable cambiato;
  std::string pagina;
  std::string json;
  uint64_t versione = 0;
  bool fermato = false;
};

namespace {

// How long a stream waits for a new scenario before it sends a comment,
// which tells a closed connection apart.
constexpr auto kAttesaEventi = std::chrono::seconds(15);

std::string evento(const std::string& json) {
  // A server-sent event's data is one line: the JSON has no line ends.
  return "event: scenario\ndata: " + json + "\n\n";
}

void rotte(Server& s) {
  s.http.Get("/", [&s](const httplib::Request&, httplib::Response& res) {
    std::lock_guard lock(s.mutex);
    res.set_header("Cache-Control", "no-store");
    res.set_content(s.pagina, "text/html; charset=utf-8");
  });
  s.http.Get("/events", [&s](const httplib::Request&, httplib::Response& res) {
    res.set_header("Cache-Control", "no-store");
    // The stream starts from the current scenario: a page loaded just
    // before a change gets it.
    auto visto = std::make_shared<uint64_t>(UINT64_MAX);
    res.set_chunked_content_provider("text/event-stream", [&s, visto](size_t, httplib::DataSink& sink) {
      std::string dati;
      {
        std::unique_lock lock(s.mutex);
        s.cambiato.wait_for(lock, kAttesaEventi, [&] { return s.fermato || s.versione != *visto; });
        if (s.fermato) return false;
        if (s.versione != *visto) {
          *visto = s.versione;
          dati = evento(s.json);
        } else {
          dati = ": waiting\n\n";
        }
      }
      return sink.write(dati.data(), dati.size());
    });
  });
}

}  // namespace

}  // namespace scenc::serve

extern "C" __attribute__((visibility("default"))) scenc::serve::Server* scenc_serve_avvia(const char* host, int porta,
                                                                                        int* porta_scelta) {
  // No exception crosses into scenc: a failure is a null server.
  try {
    auto s = std::make_unique<scenc::serve::Server>();
    scenc::serve::rotte(*s);
    const int legata = porta == 0 ? s->http.bind_to_any_port(host) : (s->http.bind_to_port(host, porta) ? porta : -1);
    if (legata <= 0) return nullptr;
    *porta_scelta = legata;
    scenc::serve::Server* server = s.get();
    s->thread = std::thread([server] { server->http.listen_after_bind(); });
    return s.release();
  } catch (const std::exception&) {
    return nullptr;
  }
}

extern "C" __attribute__((visibility("default"))) void scenc_serve_pubblica(scenc::serve::Server* s, const char* pagina,
                                                                           size_t lunghezza_pagina, const char* json,
                                                                           size_t lunghezza_json) {
  {
    std::lock_guard lock(s->mutex);
    s->pagina.assign(pagina, lunghezza_pagina);
    s->json.assign(json, lunghezza_json);
    ++s->versione;
  }
  s->cambiato.notify_all();
}

extern "C" __attribute__((visibility("default"))) void scenc_serve_ferma(scenc::serve::Server* s) {
  {
    std::lock_guard lock(s->mutex);
    s->fermato = true;
  }
  s->cambiato.notify_all();
  s->http.stop();
  if (s->thread.joinable()) s->thread.join();
  delete s;
}
