// Mutations of an editor's byte stream that keep it framed, for the
// language server's target: byte changes to a stream of `Content-Length`
// frames nearly always break a length or the JSON, and the server's
// handlers then never see the message. Here the stream is cut into its
// messages, one message is changed (a value of its JSON, a member dropped
// or added, its method swapped for another the server knows, the bytes of
// one of its strings, such as a document's text, mutated), or a message is
// repeated, dropped or moved, and the stream is framed again with the
// right lengths. One mutation in eight is libFuzzer's own on the raw
// bytes, which reaches the framing itself.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tools/lsp/framing.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t max_size);

namespace {

using json = nlohmann::json;

constexpr const char* kMetodi[] = {
    "initialize",          "initialized",           "shutdown",
    "exit",                "textDocument/didOpen",  "textDocument/didChange",
    "textDocument/didSave", "textDocument/didClose", "textDocument/hover",
    "textDocument/inlayHint", "textDocument/completion", "textDocument/definition",
    "textDocument/signatureHelp", "textDocument/documentSymbol", "textDocument/semanticTokens/full",
    "$/cancelRequest",
};

constexpr const char* kChiavi[] = {
    "jsonrpc", "id",   "method",         "params", "textDocument", "uri",   "position", "line",
    "character", "text", "contentChanges", "range",  "start",        "end",   "version",  "languageId",
};

constexpr const char* kTesti[] = {
    "file:///scen_fuzz/Esempio_linea.txt", "file:///scen_fuzz/Esempio_E1-.txt", "file:///scen_fuzz/",
    "file:///scen_fuzz/X_Y-.txt", "file://host/x", "file:///%2e%2e/%00", "2.0", "", "[generale]", "[fine]",
    "\xF0\x9F\x98\x80", "\r\n",
};

std::vector<std::string> corpi(std::string_view flusso) {
  std::vector<std::string> out;
  scenc::lsp::FrameDecoder decoder;
  decoder.aggiungi(flusso);
  while (std::optional<scenc::lsp::Frame> f = decoder.prossimo())
    if (f->errore.empty()) out.push_back(std::move(f->corpo));
  return out;
}

// libFuzzer's byte mutation of `s`, which may grow it by up to half again.
void muta_byte(std::string& s) {
  const size_t massimo = s.size() + s.size() / 2 + 16;
  const size_t n = s.size();
  s.resize(massimo);
  s.resize(LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(s.data()), n, massimo));
}

json numero_notevole(std::minstd_rand& rnd, const json& attuale) {
  // Unsigned, so that one past the largest wraps to the smallest.
  const uint64_t n = attuale.is_number_integer() ? attuale.get<uint64_t>() : 0;
  switch (rnd() % 10) {
    case 0: return 0;
    case 1: return -1;
    case 2: return static_cast<int64_t>(n + 1);
    case 3: return static_cast<int64_t>(n - 1);
    case 4: return std::numeric_limits<int32_t>::max();
    case 5: return std::numeric_limits<int32_t>::min();
    case 6: return std::numeric_limits<int64_t>::max();
    case 7: return 1e300;
    case 8: return 0.5;
    default: return static_cast<int64_t>(rnd() % 64);
  }
}

json scalare(std::minstd_rand& rnd) {
  switch (rnd() % 5) {
    case 0: return numero_notevole(rnd, nullptr);
    case 1: return kTesti[rnd() % std::size(kTesti)];
    case 2: return rnd() % 2 == 0;
    case 3: return nullptr;
    default: return json::object();
  }
}

void nodi(json& j, std::vector<json*>& out) {
  out.push_back(&j);
  if (j.is_object() || j.is_array())
    for (json& figlio : j) nodi(figlio, out);
}

// One change to one value of the message.
void muta_valore(std::minstd_rand& rnd, json& messaggio) {
  if (messaggio.is_object() && messaggio.contains("method") && rnd() % 6 == 0) {
    messaggio["method"] = kMetodi[rnd() % std::size(kMetodi)];
    return;
  }
  std::vector<json*> tutti;
  nodi(messaggio, tutti);
  json& j = *tutti[rnd() % tutti.size()];
  if (rnd() % 10 == 0) {
    j = scalare(rnd);
    return;
  }
  if (j.is_string()) {
    if (rnd() % 4 == 0) {
      j = kTesti[rnd() % std::size(kTesti)];
    } else {
      std::string s = j.get<std::string>();
      muta_byte(s);
      j = std::move(s);
    }
  } else if (j.is_number()) {
    j = numero_notevole(rnd, j);
  } else if (j.is_boolean()) {
    j = !j.get<bool>();
  } else if (j.is_object()) {
    if (!j.empty() && rnd() % 2 == 0) {
      auto it = j.begin();
      std::advance(it, static_cast<std::ptrdiff_t>(rnd() % j.size()));
      j.erase(it);
    } else {
      j[kChiavi[rnd() % std::size(kChiavi)]] = scalare(rnd);
    }
  } else if (j.is_array()) {
    if (!j.empty() && rnd() % 2 == 0)
      j.erase(j.begin() + static_cast<std::ptrdiff_t>(rnd() % j.size()));
    else if (!j.empty())
      j.push_back(j[rnd() % j.size()]);
    else
      j.push_back(scalare(rnd));
  } else {
    j = scalare(rnd);
  }
}

// One change to the list of messages.
void muta_corpi(std::minstd_rand& rnd, std::vector<std::string>& c) {
  if (c.empty()) {
    c.push_back(R"({"jsonrpc":"2.0","method":"initialized","params":{}})");
    return;
  }
  const size_t i = rnd() % c.size();
  switch (rnd() % 16) {
    case 0: c.insert(c.begin() + static_cast<std::ptrdiff_t>(i), c[i]); return;
    case 1: c.erase(c.begin() + static_cast<std::ptrdiff_t>(i)); return;
    case 2: std::swap(c[i], c[rnd() % c.size()]); return;
    case 3: muta_byte(c[i]); return;
    default: break;
  }
  json m = json::parse(c[i], nullptr, false);
  if (m.is_discarded()) {
    muta_byte(c[i]);
    return;
  }
  muta_valore(rnd, m);
  c[i] = m.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t max_size, unsigned int seed) {
  std::minstd_rand rnd(seed);
  if (rnd() % 8 == 0) return LLVMFuzzerMutate(data, size, max_size);
  std::vector<std::string> c = corpi(std::string_view(reinterpret_cast<const char*>(data), size));
  muta_corpi(rnd, c);
  std::string flusso;
  for (const std::string& corpo : c) flusso += scenc::lsp::incornicia(corpo);
  if (flusso.size() > max_size) return LLVMFuzzerMutate(data, size, max_size);
  std::memcpy(data, flusso.data(), flusso.size());
  return flusso.size();
}
