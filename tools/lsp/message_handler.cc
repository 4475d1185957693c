#include "tools/lsp/message_handler.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "model/kilometric_progressive.h"
#include "platform/path_text.h"
#include "tools/lsp/completion.h"
#include "tools/lsp/document_symbols.h"
#include "tools/lsp/semantic_tokens.h"
#include "tools/lsp/signature_help.h"
#include "tools/lsp/editor_text.h"
#include "tools/lsp/hover.h"
#include "tools/lsp/inlay_hints.h"
#include "tools/lsp/line_context.h"
#include "tools/lsp/scenario_diagnostics.h"
#include "tools/lsp/uri.h"
#include "util/cp1252.h"

namespace scenc::lsp {

namespace {

using json = nlohmann::json;

// The protocol's error codes.
constexpr int kErroreSintassi = -32700;
constexpr int kRichiestaNonValida = -32600;
constexpr int kMetodoIgnoto = -32601;
constexpr int kParametriNonValidi = -32602;
constexpr int kNonInizializzato = -32002;

using Esito = MessageHandler::Esito;

Esito fallito(int codice, std::string messaggio) {
  Esito e;
  e.errore = codice;
  e.messaggio = std::move(messaggio);
  return e;
}

const json* campo(const json& o, const char* chiave) {
  if (!o.is_object()) return nullptr;
  const auto it = o.find(chiave);
  return it == o.end() ? nullptr : &*it;
}

std::optional<std::string> stringa(const json& o, const char* chiave) {
  const json* c = campo(o, chiave);
  if (!c || !c->is_string()) return std::nullopt;
  return c->get<std::string>();
}

std::optional<int64_t> intero(const json& o, const char* chiave) {
  const json* c = campo(o, chiave);
  if (!c || !c->is_number_integer()) return std::nullopt;
  if (c->is_number_unsigned()) return static_cast<int64_t>(std::min<uint64_t>(c->get<uint64_t>(), INT64_MAX));
  return c->get<int64_t>();
}

struct Posizione {
  int64_t riga = 0;
  int64_t carattere = 0;
};

std::optional<Posizione> posizione(const json& o, const char* chiave) {
  const json* p = campo(o, chiave);
  if (!p) return std::nullopt;
  const std::optional<int64_t> r = intero(*p, "line");
  const std::optional<int64_t> c = intero(*p, "character");
  if (!r || !c || *r < 0 || *c < 0) return std::nullopt;
  return Posizione{*r, *c};
}

json risposta(const json& id, Esito e) {
  json r = {{"jsonrpc", "2.0"}, {"id", id}};
  if (e.errore != 0)
    r["error"] = {{"code", e.errore}, {"message", std::move(e.messaggio)}};
  else
    r["result"] = std::move(e.risultato);
  return r;
}

json errore_senza_id(int codice, std::string messaggio) {
  return risposta(nullptr, fallito(codice, std::move(messaggio)));
}

// A line of an open buffer, in code page 1252 for the vocabulary, with the
// part of the file it is read in.
struct RigaAperta {
  std::string utf8;
  std::string cp1252;
  std::optional<scen::Ambito> ambito;
  scen::FileFormato formato;
};

std::optional<RigaAperta> riga_aperta(const std::string& percorso, const Documento& d, int64_t riga) {
  const std::optional<scen::FileFormato> f = formato_da_nome(percorso);
  if (!f) return std::nullopt;
  const LineIndex indice(d.testo);
  if (static_cast<size_t>(riga) >= indice.righe()) return std::nullopt;
  RigaAperta r;
  r.utf8 = std::string(indice.riga(d.testo, static_cast<size_t>(riga)));
  r.cp1252 = per_compilare(r.utf8).cp1252;
  r.ambito = ambiti_delle_righe(*f, d.testo)[static_cast<size_t>(riga)];
  r.formato = *f;
  return r;
}

}  // namespace

std::vector<json> MessageHandler::gestisci_testo(std::string_view corpo) {
  json m = json::parse(corpo, nullptr, false);
  if (m.is_discarded()) return {errore_senza_id(kErroreSintassi, "the message is not JSON")};
  return gestisci(m);
}

std::vector<json> MessageHandler::gestisci(const json& m) {
  if (!m.is_object()) return {errore_senza_id(kRichiestaNonValida, "a message is a JSON object")};
  const json* id = campo(m, "id");
  if (id && !id->is_string() && !id->is_number_integer())
    return {errore_senza_id(kRichiestaNonValida, "an id is a number or a string")};
  const std::optional<std::string> metodo = stringa(m, "method");
  if (!metodo) {
    // A reply to a request of ours: none is ever sent.
    if (id && (campo(m, "result") || campo(m, "error"))) return {};
    return {risposta(id ? *id : json(nullptr), fallito(kRichiestaNonValida, "a message without a method"))};
  }
  static const json kVuoto = json::object();
  const json* p = campo(m, "params");
  const json& parametri = p ? *p : kVuoto;
  if (!id) {
    notifica(*metodo, parametri);
    return {};
  }
  if (!inizializzato_ && *metodo != "initialize")
    return {risposta(*id, fallito(kNonInizializzato, "initialize comes first"))};
  if (spento_) return {risposta(*id, fallito(kRichiestaNonValida, "the server is shut down: only exit is left"))};
  return {risposta(*id, richiesta(*metodo, parametri))};
}

MessageHandler::Esito MessageHandler::richiesta(const std::string& metodo, const json& parametri) {
  if (metodo == "initialize") {
    if (inizializzato_) return fallito(kRichiestaNonValida, "initialize came already");
    return Esito(inizializza(parametri));
  }
  if (metodo == "shutdown") {
    spento_ = true;
    return Esito();
  }
  if (metodo == "textDocument/hover") return hover(parametri);
  if (metodo == "textDocument/inlayHint") return suggerimenti(parametri);
  if (metodo == "textDocument/completion") return completamento(parametri);
  if (metodo == "textDocument/definition") return definizione(parametri);
  if (metodo == "textDocument/signatureHelp") return firma(parametri);
  if (metodo == "textDocument/documentSymbol") return simboli_documento(parametri);
  if (metodo == "textDocument/semanticTokens/full") return token(parametri);
  return fallito(kMetodoIgnoto, "unknown method " + metodo);
}

void MessageHandler::notifica(const std::string& metodo, const json& parametri) {
  if (metodo == "exit") {
    finito_ = true;
    return;
  }
  if (!inizializzato_ || spento_) return;
  const std::string percorso = documento(parametri);
  if (percorso.empty()) return;
  const json& doc = *campo(parametri, "textDocument");
  const int64_t versione = intero(doc, "version").value_or(0);
  if (metodo == "textDocument/didOpen") {
    const std::optional<std::string> testo = stringa(doc, "text");
    if (!testo) return;
    documenti_.apri(percorso, *testo, versione);
  } else if (metodo == "textDocument/didChange") {
    const json* modifiche = campo(parametri, "contentChanges");
    if (!modifiche || !modifiche->is_array()) return;
    for (const json& c : *modifiche) {
      const std::optional<std::string> testo = stringa(c, "text");
      if (!testo) continue;
      Modifica m;
      m.testo = *testo;
      if (const json* r = campo(c, "range")) {
        const std::optional<Posizione> inizio = posizione(*r, "start");
        const std::optional<Posizione> fine = posizione(*r, "end");
        if (!inizio || !fine) continue;
        m.intero = false;
        m.riga_inizio = inizio->riga;
        m.carattere_inizio = inizio->carattere;
        m.riga_fine = fine->riga;
        m.carattere_fine = fine->carattere;
      }
      documenti_.modifica(percorso, m, versione, codifica_);
    }
  } else if (metodo == "textDocument/didSave") {
    if (const std::optional<std::string> testo = stringa(parametri, "text"); testo && documenti_.trova(percorso))
      documenti_.apri(percorso, *testo, documenti_.trova(percorso)->versione);
  } else if (metodo == "textDocument/didClose") {
    documenti_.chiudi(percorso);
  } else {
    return;
  }
  if (formato_da_nome(percorso)) cambiati_.insert(percorso);
}

json MessageHandler::inizializza(const json& parametri) {
  inizializzato_ = true;
  codifica_ = Codifica::utf16;
  if (const json* g = campo(parametri, "capabilities"); g && (g = campo(*g, "general")))
    if (const json* e = campo(*g, "positionEncodings"); e && e->is_array())
      for (const json& x : *e)
        if (x == "utf-8") codifica_ = Codifica::utf8;
  return {{"capabilities",
           {{"positionEncoding", codifica_ == Codifica::utf8 ? "utf-8" : "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
            {"hoverProvider", true},
            {"inlayHintProvider", true},
            {"completionProvider", {{"triggerCharacters", {"["}}}},
            {"definitionProvider", true},
            {"signatureHelpProvider", {{"triggerCharacters", {","}}}},
            {"documentSymbolProvider", true},
            {"semanticTokensProvider",
             {{"legend", {{"tokenTypes", kTipiToken}, {"tokenModifiers", kModificatoriToken}}}, {"full", true}}}}},
          {"serverInfo", {{"name", "scenc"}}}};
}

std::string MessageHandler::documento(const json& parametri) const {
  const json* doc = campo(parametri, "textDocument");
  if (!doc) return {};
  const std::optional<std::string> uri = stringa(*doc, "uri");
  if (!uri) return {};
  return percorso_da_uri(*uri).value_or(std::string());
}

MessageHandler::Esito MessageHandler::hover(const json& parametri) {
  const std::string percorso = documento(parametri);
  const std::optional<Posizione> p = posizione(parametri, "position");
  if (percorso.empty() || !p) return fallito(kParametriNonValidi, "hover needs a textDocument and a position");
  const Documento* d = documenti_.trova(percorso);
  if (!d) return Esito();
  const std::optional<RigaAperta> r = riga_aperta(percorso, *d, p->riga);
  if (!r) return Esito();
  const int64_t colonna = caratteri_da_unita(r->utf8, p->carattere, codifica_);
  Chilometrica km;
  if (const auto it = riferimenti_km_.find(percorso); it != riferimenti_km_.end() && !it->second.empty())
    km = [k = scen::Chilometrica(it->second)](int64_t metri) {
      return scen::testo_km(k.progressiva(static_cast<double>(metri)));
    };
  const std::optional<std::string> t = testo_hover(r->cp1252, r->ambito, r->formato, colonna, km);
  if (!t) return Esito();
  return {{{"contents", {{"kind", "markdown"}, {"value", *t}}}}};
}

MessageHandler::Esito MessageHandler::suggerimenti(const json& parametri) {
  const std::string percorso = documento(parametri);
  const json* intervallo = campo(parametri, "range");
  const std::optional<Posizione> inizio = intervallo ? posizione(*intervallo, "start") : std::nullopt;
  const std::optional<Posizione> fine = intervallo ? posizione(*intervallo, "end") : std::nullopt;
  if (percorso.empty() || !inizio || !fine) return fallito(kParametriNonValidi, "inlayHint needs a textDocument and a range");
  const Documento* d = documenti_.trova(percorso);
  const std::optional<scen::FileFormato> f = formato_da_nome(percorso);
  json nomi = json::array();
  if (!d || !f) return Esito(nomi);
  const LineIndex indice(d->testo);
  const std::vector<std::optional<scen::Ambito>> ambiti = ambiti_delle_righe(*f, d->testo);
  const int64_t ultima = std::min<int64_t>(fine->riga, static_cast<int64_t>(indice.righe()) - 1);
  for (int64_t n = inizio->riga; n <= ultima; ++n) {
    const std::string_view utf8 = indice.riga(d->testo, static_cast<size_t>(n));
    if (!ambiti[static_cast<size_t>(n)]) continue;
    const std::string cp = per_compilare(utf8).cp1252;
    for (const NomeCampo& c : nomi_dei_campi(cp, ambiti[static_cast<size_t>(n)]))
      nomi.push_back({{"position", {{"line", n}, {"character", unita_da_caratteri(utf8, c.colonna, codifica_)}}},
                      {"label", c.etichetta},
                      {"kind", 2},
                      {"paddingRight", true}});
  }
  return Esito(nomi);
}

MessageHandler::Esito MessageHandler::completamento(const json& parametri) {
  const std::string percorso = documento(parametri);
  const std::optional<Posizione> p = posizione(parametri, "position");
  if (percorso.empty() || !p) return fallito(kParametriNonValidi, "completion needs a textDocument and a position");
  json voci = json::array();
  const Documento* d = documenti_.trova(percorso);
  if (!d) return Esito(voci);
  const std::optional<RigaAperta> r = riga_aperta(percorso, *d, p->riga);
  if (!r) return Esito(voci);
  const int64_t colonna = caratteri_da_unita(r->utf8, p->carattere, codifica_);
  for (const Proposta& q : proposte(r->cp1252, r->ambito, r->formato, colonna))
    voci.push_back({{"label", q.etichetta},
                    {"kind", q.intestazione ? 9 : 14},
                    {"detail", q.dettaglio},
                    {"documentation", q.documentazione},
                    {"insertText", q.snippet},
                    {"insertTextFormat", 2}});
  return Esito(voci);
}

MessageHandler::Esito MessageHandler::definizione(const json& parametri) {
  const std::string percorso = documento(parametri);
  const std::optional<Posizione> p = posizione(parametri, "position");
  if (percorso.empty() || !p) return fallito(kParametriNonValidi, "definition needs a textDocument and a position");
  json luoghi = json::array();
  const auto it = pubblicate_.find(percorso);
  if (it == pubblicate_.end()) return Esito();
  // The places a diagnostic under the cursor names.
  for (const json& d : it->second) {
    const json* collegati = campo(d, "relatedInformation");
    const json* r = campo(d, "range");
    if (!collegati || !r) continue;
    const std::optional<Posizione> a = posizione(*r, "start");
    const std::optional<Posizione> b = posizione(*r, "end");
    if (!a || !b || p->riga < a->riga || p->riga > b->riga) continue;
    if ((p->riga == a->riga && p->carattere < a->carattere) || (p->riga == b->riga && p->carattere > b->carattere))
      continue;
    for (const json& c : *collegati)
      if (const json* l = campo(c, "location")) luoghi.push_back(*l);
  }
  if (luoghi.empty()) return Esito();
  return Esito(luoghi);
}

MessageHandler::Esito MessageHandler::firma(const json& parametri) {
  const std::string percorso = documento(parametri);
  const std::optional<Posizione> p = posizione(parametri, "position");
  if (percorso.empty() || !p) return fallito(kParametriNonValidi, "signatureHelp needs a textDocument and a position");
  const Documento* d = documenti_.trova(percorso);
  const std::optional<RigaAperta> r = d ? riga_aperta(percorso, *d, p->riga) : std::nullopt;
  if (!r) return Esito();
  const std::optional<AiutoFirma> a = aiuto_firma(r->cp1252, r->ambito, caratteri_da_unita(r->utf8, p->carattere, codifica_));
  if (!a) return Esito();
  json firme = json::array();
  for (const Firma& f : a->firme) {
    json parametri_firma = json::array();
    for (const Firma::Parametro& q : f.parametri)
      parametri_firma.push_back({{"label", {q.inizio, q.fine}}, {"documentation", q.documentazione}});
    firme.push_back({{"label", f.etichetta}, {"documentation", f.documentazione}, {"parameters", std::move(parametri_firma)}});
  }
  json risultato = {{"signatures", std::move(firme)}, {"activeSignature", a->firma_attiva}};
  // Past the values, or on the keyword: no value is marked.
  risultato["activeParameter"] = a->parametro_attivo >= 0 ? json(a->parametro_attivo) : json(nullptr);
  return Esito(std::move(risultato));
}

// A buffer's text in both forms, with its lines, for the requests that go
// through all of it.
struct TestoIntero {
  explicit TestoIntero(const std::string& utf8) : utf8(utf8), cp1252(per_compilare(utf8).cp1252), indice(utf8) {}
  const std::string& utf8;
  std::string cp1252;
  LineIndex indice;
  int64_t unita(int64_t riga, int64_t caratteri, Codifica c) const {
    return unita_da_caratteri(indice.riga(utf8, static_cast<size_t>(riga)), caratteri, c);
  }
};

namespace {

json simbolo_json(const Simbolo& s, const TestoIntero& t, Codifica c) {
  const auto pos = [&](int64_t riga, int64_t car) { return json{{"line", riga}, {"character", t.unita(riga, car, c)}}; };
  const std::string_view ultima = t.indice.riga(t.utf8, static_cast<size_t>(s.riga_fine));
  const json fine = {{"line", s.riga_fine}, {"character", unita_da_caratteri(ultima, INT64_MAX, c)}};
  json j = {{"name", scen::da_cp1252(s.nome)},
            {"kind", s.sezione ? 3 : 14},
            {"range", {{"start", pos(s.riga, 0)}, {"end", fine}}},
            {"selectionRange", {{"start", pos(s.riga, s.colonna)}, {"end", pos(s.riga, s.colonna_fine)}}}};
  if (!s.dettaglio.empty()) j["detail"] = s.dettaglio;
  if (!s.figli.empty()) {
    json figli = json::array();
    for (const Simbolo& f : s.figli) figli.push_back(simbolo_json(f, t, c));
    j["children"] = std::move(figli);
  }
  return j;
}

}  // namespace

MessageHandler::Esito MessageHandler::simboli_documento(const json& parametri) {
  const std::string percorso = documento(parametri);
  if (percorso.empty()) return fallito(kParametriNonValidi, "documentSymbol needs a textDocument");
  const Documento* d = documenti_.trova(percorso);
  const std::optional<scen::FileFormato> f = formato_da_nome(percorso);
  json out = json::array();
  if (!d || !f) return Esito(out);
  const TestoIntero t(d->testo);
  for (const Simbolo& s : simboli(*f, t.cp1252)) out.push_back(simbolo_json(s, t, codifica_));
  return Esito(out);
}

MessageHandler::Esito MessageHandler::token(const json& parametri) {
  const std::string percorso = documento(parametri);
  if (percorso.empty()) return fallito(kParametriNonValidi, "semanticTokens needs a textDocument");
  const Documento* d = documenti_.trova(percorso);
  const std::optional<scen::FileFormato> f = formato_da_nome(percorso);
  std::vector<int64_t> dati;
  if (d && f) {
    const TestoIntero t(d->testo);
    int64_t riga = 0, inizio = 0;
    for (const Token& k : token_semantici(*f, t.cp1252)) {
      const int64_t a = t.unita(k.riga, k.colonna, codifica_);
      const int64_t b = t.unita(k.riga, k.colonna + k.lunghezza, codifica_);
      dati.insert(dati.end(), {k.riga - riga, k.riga == riga ? a - inizio : a, b - a, k.tipo, k.modificatori});
      riga = k.riga;
      inizio = a;
    }
  }
  return Esito(json{{"data", dati}});
}

CoppiaScenario MessageHandler::coppia(const std::string& percorso) const {
  VistaFile vista;
  vista.esiste = [this](const std::string& f) {
    std::error_code ec;
    return documenti_.trova(f) || std::filesystem::is_regular_file(scen::path_from_utf8(f), ec);
  };
  vista.nella_cartella = [this](const std::string& cartella) {
    std::vector<std::string> nomi;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(scen::path_from_utf8(cartella.empty() ? "." : cartella), ec), fine; !ec && it != fine;
         it.increment(ec))
      nomi.push_back(scen::utf8_of(it->path().filename()));
    for (const auto& [f, d] : documenti_.tutti())
      if (f.size() > cartella.size() && f.starts_with(cartella) && f.find('/', cartella.size()) == std::string::npos)
        nomi.push_back(f.substr(cartella.size()));
    std::sort(nomi.begin(), nomi.end());
    nomi.erase(std::unique(nomi.begin(), nomi.end()), nomi.end());
    return nomi;
  };
  std::string preferito;
  for (const auto& [f, d] : documenti_.tutti())
    if (formato_da_nome(f) == scen::FileFormato::treno && preferito.empty()) preferito = f;
  return coppia_di(percorso, vista, preferito).value_or(CoppiaScenario{});
}

std::vector<json> MessageHandler::pubblica() {
  std::vector<json> out;
  std::vector<CoppiaScenario> coppie;
  for (const std::string& f : cambiati_) {
    const CoppiaScenario c = coppia(f);
    if (c.linea.empty() || std::find(coppie.begin(), coppie.end(), c) != coppie.end()) continue;
    coppie.push_back(c);
  }
  cambiati_.clear();
  for (const CoppiaScenario& c : coppie) {
    const auto leggi = [this](const std::string& f) -> std::optional<TestoSorgente> {
      if (f.empty()) return std::nullopt;
      if (const Documento* d = documenti_.trova(f)) return da_editor(d->testo);
      return da_disco(f);
    };
    const std::optional<TestoSorgente> linea = leggi(c.linea);
    const std::optional<TestoSorgente> treno = leggi(c.treno);
    DiagnosticheScenario esito =
        diagnostiche_scenario(c, linea ? &*linea : nullptr, treno ? &*treno : nullptr, codifica_);
    std::map<std::string, json>& per_file = esito.per_file;
    for (const std::string& f : {c.linea, c.treno})
      if (!f.empty()) riferimenti_km_[f] = esito.riferimenti_km;
    for (auto& [f, diagnostiche] : per_file) {
      if (!(f == c.linea ? linea : treno)) {
        // A file gone (closed, never saved) keeps nothing of what it had.
        if (pubblicate_.erase(f) != 0)
          out.push_back({{"jsonrpc", "2.0"},
                         {"method", "textDocument/publishDiagnostics"},
                         {"params", {{"uri", uri_da_percorso(f)}, {"diagnostics", json::array()}}}});
        continue;
      }
      pubblicate_[f] = diagnostiche;
      json parametri = {{"uri", uri_da_percorso(f)}, {"diagnostics", std::move(diagnostiche)}};
      if (const Documento* d = documenti_.trova(f)) parametri["version"] = d->versione;
      out.push_back({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", std::move(parametri)}});
    }
  }
  return out;
}

}  // namespace scenc::lsp
