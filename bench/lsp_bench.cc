// The language server on the largest line: from an edit of the open train
// file to the diagnostics of both files, inside one process, as `scenc lsp`
// answers a `didChange` when no more input is waiting. bench/run.sh times
// `scenc check` of the same files as a whole process, the figure to set it
// against.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "bench/bench_support.h"
#include "bench/long_line.h"
#include "tools/lsp/message_handler.h"
#include "tools/lsp/uri.h"

namespace scen::bench {
namespace {

using json = nlohmann::json;

void BM_LspModificaDiagnostiche(benchmark::State& state) {
  CartellaTemporanea cartella;
  const SorgentiLunghe s = sorgenti_lunghe(kLineaMassima);
  scrivi_file(cartella.path() / "Lunga_linea.txt", s.linea);
  const std::string uri = scenc::lsp::uri_da_percorso((cartella.path() / "Lunga_B1-.txt").string());
  scenc::lsp::MessageHandler h;
  h.gestisci(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
  h.gestisci(json{{"jsonrpc", "2.0"},
                  {"method", "textDocument/didOpen"},
                  {"params", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", s.treno}}}}}});
  h.pubblica();
  int64_t versione = 1;
  for (auto _ : state) {
    // A blank typed at the start of the second line, and taken out again.
    const json range = {{"start", {{"line", 1}, {"character", 0}}},
                        {"end", {{"line", 1}, {"character", versione % 2 == 1 ? 0 : 1}}}};
    h.gestisci(json{{"jsonrpc", "2.0"},
                    {"method", "textDocument/didChange"},
                    {"params",
                     {{"textDocument", {{"uri", uri}, {"version", ++versione}}},
                      {"contentChanges", {{{"range", range}, {"text", versione % 2 == 0 ? " " : ""}}}}}}});
    const std::vector<json> pubblicate = h.pubblica();
    if (pubblicate.size() != 2) {
      state.SkipWithError("no diagnostics for both files");
      break;
    }
    benchmark::DoNotOptimize(pubblicate);
  }
}
BENCHMARK(BM_LspModificaDiagnostiche)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace scen::bench
