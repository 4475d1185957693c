// libFuzzer target of the language server's `file:` URIs, in both forms
// of paths (from the root, with drive letters): any input decodes or is
// refused without a crash, and a path that decodes comes back from its own
// URI unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tools/lsp/uri.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view uri(reinterpret_cast<const char*>(data), size);
  for (const auto forma : {scenc::lsp::FormaPercorsi::dalla_radice, scenc::lsp::FormaPercorsi::con_unita}) {
    const auto percorso = scenc::lsp::percorso_da_uri(uri, forma);
    if (!percorso) continue;
    const auto di_nuovo = scenc::lsp::percorso_da_uri(scenc::lsp::uri_da_percorso(*percorso, forma), forma);
    if (di_nuovo != percorso) {
      std::fprintf(stderr, "broken rule: a path's URI names the path\n");
      std::abort();
    }
  }
  return 0;
}
