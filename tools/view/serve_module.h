// The HTTP server of `scenc serve`, built as a module of its own around
// cpp-httplib: scenc carries its bytes and loads it only when `scenc serve`
// runs, so that no other subcommand loads the HTTP library. Only plain C
// types cross between scenc and the module.
//
// The server answers GET / with the page and GET /events with a stream of
// server-sent events: one event "scenario" with the scenario's JSON each
// time a new one is published, and the current one when a page connects.
// Any other path gets 404.
#pragma once

#include <cstddef>
#include <string_view>

namespace scenc::serve {

struct Server;

// Binds host:port (port 0: a free one, stored in *porta_scelta) and serves
// on a thread of its own. Null when the address cannot be bound.
using AvviaServer = Server*(const char* host, int porta, int* porta_scelta);
// Replaces the page and the scenario's JSON; every open event stream gets
// the new JSON.
using PubblicaScenario = void(Server* s, const char* pagina, size_t lunghezza_pagina, const char* json,
                              size_t lunghezza_json);
// Ends every stream, stops listening and frees the server.
using FermaServer = void(Server* s);

inline constexpr char kAvvia[] = "scenc_serve_avvia";
inline constexpr char kPubblica[] = "scenc_serve_pubblica";
inline constexpr char kFerma[] = "scenc_serve_ferma";

}  // namespace scenc::serve

// The module's bytes and soname, generated at build time.
namespace scen::incorporato {
std::string_view modulo_servizio();
const char* modulo_servizio_nome();
}  // namespace scen::incorporato
