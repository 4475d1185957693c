#include "tools/dump/dump_command.h"

#include "tools/dump/structure_check.h"
#include "platform/path_text.h"
#include "util/regular_file.h"
#include "util/standard_input.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <variant>

#include "model/image_reader.h"
#include "tools/dump/dump_json.h"
#include "tools/dump/dump_text.h"
#include "tools/cli/exit_status.h"

namespace scenc {

namespace {

using DatiSim = std::array<scen::RecordSim, scen::kNumeroRecord>;
using Contenuto = std::variant<std::monostate, std::vector<scen::Cella>, DatiSim, scen::TabellaLinea>;

enum class TipoFile { celle, dati_sim, tabella_linea };

std::optional<TipoFile> tipo_file(std::string_view nome) {
  if (nome.ends_with("_linea.dat")) return TipoFile::tabella_linea;
  if (nome.ends_with(".dat")) return TipoFile::celle;
  if (nome.ends_with(".sim")) return TipoFile::dati_sim;
  return std::nullopt;
}

// The word --kind and the JSON's "kind" use.
const char* chiave(TipoFile t) {
  switch (t) {
    case TipoFile::celle: return "grid";
    case TipoFile::dati_sim: return "records";
    case TipoFile::tabella_linea: return "plan";
  }
  return "?";
}

std::optional<TipoFile> tipo_da_kind(std::string_view kind) {
  for (const TipoFile t : {TipoFile::celle, TipoFile::dati_sim, TipoFile::tabella_linea})
    if (kind == chiave(t)) return t;
  return std::nullopt;
}

const char* descrizione(TipoFile t) {
  switch (t) {
    case TipoFile::celle: return "cell grid";
    case TipoFile::dati_sim: return "general records";
    case TipoFile::tabella_linea: return "track plan";
  }
  return "?";
}

// The whole file, or why it cannot be read: not a regular file, or larger
// than its kind can be.
struct Lettura {
  std::string byte;
  std::string errore;
};

Lettura leggi_tutto(const std::string& nome, TipoFile tipo) {
  const size_t massimo = tipo == TipoFile::celle      ? scen::kMassimoCelle
                         : tipo == TipoFile::dati_sim ? scen::kMassimoDatiSim
                                                      : scen::kMassimoTabellaLinea;
  Lettura l;
  const bool letto = nome == "-" ? scen::read_standard_input(massimo, l.byte, l.errore)
                                 : scen::read_regular_file(scen::path_from_utf8(nome), massimo, l.byte, l.errore);
  if (!letto && l.errore.empty()) l.errore = "cannot be read";
  return l;
}

std::optional<dump::IntervalloRighe> leggi_intervallo(const std::string& testo) {
  const auto numero = [](std::string_view s) -> std::optional<size_t> {
    size_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc{} || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
  };
  const size_t due_punti = testo.find(':');
  const auto da = numero(std::string_view(testo).substr(0, due_punti));
  const auto a = due_punti == std::string::npos ? da : numero(std::string_view(testo).substr(due_punti + 1));
  if (!da || !a || *a < *da) return std::nullopt;
  return dump::IntervalloRighe{*da, *a};
}

std::string normale(const std::string& nome) { return scen::utf8_of(scen::path_from_utf8(nome).lexically_normal()); }

// The general records dumped in the same call that a grid or a plan must
// agree with: <x>.sim beside the grid <x>.dat; for the plan <route>_linea.dat,
// a <route>_<train>.sim.
const DatiSim* dati_sim_di(const std::string& nome, const std::vector<std::string>& file,
                           const std::vector<Contenuto>& contenuti) {
  const std::filesystem::path p = scen::path_from_utf8(nome);
  const std::string base = scen::utf8_of(p.filename());
  const bool piano = base.ends_with("_linea.dat");
  const std::string cercato = normale(scen::utf8_of(piano ? p : std::filesystem::path(p).replace_extension(".sim")));
  const std::string percorso = piano ? base.substr(0, base.size() - std::string_view("linea.dat").size()) : "";
  for (size_t i = 0; i < file.size(); ++i) {
    const auto* d = std::get_if<DatiSim>(&contenuti[i]);
    if (!d) continue;
    const std::filesystem::path f = scen::path_from_utf8(file[i]);
    if (!piano && normale(file[i]) == cercato) return d;
    if (piano && normale(scen::utf8_of(f.parent_path())) == normale(scen::utf8_of(p.parent_path())) &&
        scen::utf8_of(f.filename()).starts_with(percorso) && f.extension() == ".sim")
      return d;
  }
  return nullptr;
}

// The general records dumped in the same call for the grid `nome`: <x>.sim beside <x>.dat.
dump::RecordCollegati collegati(const std::string& nome, const std::vector<std::string>& file,
                          const std::vector<Contenuto>& contenuti) {
  const std::string cercato = normale(scen::utf8_of(scen::path_from_utf8(nome).replace_extension(".sim")));
  for (size_t i = 0; i < file.size(); ++i)
    if (normale(file[i]) == cercato)
      if (const auto* d = std::get_if<DatiSim>(&contenuti[i]))
        return {d, scen::utf8_of(scen::path_from_utf8(file[i]).filename())};
  return {};
}

}  // namespace

CLI::App* aggiungi_dump(CLI::App& app, ArgomentiDump& args, int& esito) {
  CLI::App* cmd = app.add_subcommand(
      "dump", "Show what compiled files (.dat, .sim, _linea.dat) hold, as tables or JSON");
  cmd->add_option("FILE", args.file,
                  "Compiled files, recognised by their names: <route>_<train>.dat (cell grid), "
                  "<route>_<train>.sim (general records), <route>_linea.dat (track plan); - for standard input")
      ->type_name("FILE")
      ->required();
  cmd->add_option("--kind", args.kind,
                  "What every FILE holds, whatever its name: grid (.dat), records (.sim) or plan (_linea.dat)")
      ->check(CLI::IsMember({"grid", "records", "plan"}));
  cmd->add_flag("--json", args.json, "Write JSON for programs instead of tables");
  cmd->add_option("--rows", args.righe, "Track-plan rows A:B (or one row A) to show in full");
  cmd->callback([&] { esito = esegui_dump(args, std::cout, std::cerr); });
  return cmd;
}

int esegui_dump(const ArgomentiDump& args, std::ostream& out, std::ostream& err) {
  std::vector<TipoFile> tipi;
  if (std::count(args.file.begin(), args.file.end(), "-") > 1) {
    err << "scenc: - (standard input) can be read only once\n";
    return kUso;
  }
  for (const std::string& f : args.file) {
    const auto t = args.kind.empty() ? tipo_file(f) : tipo_da_kind(args.kind);
    if (!t) {
      err << "scenc: " << f
          << (f == "-" ? ": standard input has no name to tell what it holds"
                       : ": not a compiled file name (expected <route>_<train>.dat, <route>_<train>.sim or "
                         "<route>_linea.dat)")
          << "; --kind grid, records or plan says it\n";
      return kUso;
    }
    tipi.push_back(*t);
  }
  std::optional<dump::IntervalloRighe> righe;
  if (args.righe) {
    righe = leggi_intervallo(*args.righe);
    if (!righe) {
      err << "scenc: --rows " << *args.righe << ": expected A:B with A <= B, or A (row numbers from 0)\n";
      return kUso;
    }
  }

  int esito = kOk;
  std::vector<Contenuto> contenuti(args.file.size());
  std::vector<std::string> errori(args.file.size());
  std::vector<size_t> dimensioni(args.file.size());
  for (size_t i = 0; i < args.file.size(); ++i) {
    const std::string& f = args.file[i];
    const Lettura l = leggi_tutto(f, tipi[i]);
    dimensioni[i] = l.byte.size();
    if (!l.errore.empty()) {
      errori[i] = l.errore;
    } else {
      try {
        switch (tipi[i]) {
          case TipoFile::celle: contenuti[i] = scen::leggi_immagine_celle(l.byte); break;
          case TipoFile::dati_sim: contenuti[i] = scen::leggi_immagine_dati_sim(l.byte); break;
          case TipoFile::tabella_linea: contenuti[i] = scen::leggi_immagine_tabella_linea(l.byte); break;
        }
      } catch (const scen::ErroreDecodifica& e) {
        errori[i] = std::string("corrupt or truncated ") + e.what();
      }
    }
  }
  // The rules a whole file obeys, and those it shares with the general
  // records dumped beside it.
  for (size_t i = 0; i < args.file.size(); ++i) {
    const DatiSim* sim = dati_sim_di(args.file[i], args.file, contenuti);
    std::optional<std::string> rotta;
    if (const auto* c = std::get_if<std::vector<scen::Cella>>(&contenuti[i])) rotta = dump::regola_celle(*c, sim);
    if (const auto* t = std::get_if<scen::TabellaLinea>(&contenuti[i]))
      rotta = dump::regola_tabella_linea(*t, dimensioni[i], sim);
    if (rotta) {
      errori[i] = "corrupt or truncated " + *rotta;
      contenuti[i] = std::monostate{};
    }
    if (!errori[i].empty()) {
      err << "scenc: " << args.file[i] << ": " << errori[i] << "\n";
      esito = kErroreRegistrato;
    }
  }

  // Rows asked for must exist in every track plan: a usage error, told
  // with the plan's rows, before anything is shown.
  for (size_t i = 0; i < args.file.size() && righe; ++i)
    if (const auto* t = std::get_if<scen::TabellaLinea>(&contenuti[i]); t && righe->a >= t->righe()) {
      err << "scenc: " << args.file[i] << ": --rows " << *args.righe << ": the plan has rows 0 .. "
          << static_cast<long long>(t->righe()) - 1 << "\n";
      return kUso;
    }
  const auto righe_per = [&](const scen::TabellaLinea& t) {
    return righe && righe->da < t.righe() ? righe : std::nullopt;
  };

  if (args.json) {
    nlohmann::json tutti = nlohmann::json::array();
    for (size_t i = 0; i < args.file.size(); ++i) {
      nlohmann::json j;
      if (const auto* c = std::get_if<std::vector<scen::Cella>>(&contenuti[i]))
        j = dump::json_celle(*c, collegati(args.file[i], args.file, contenuti));
      else if (const auto* d = std::get_if<DatiSim>(&contenuti[i]))
        j = dump::json_dati_sim(*d);
      else if (const auto* t = std::get_if<scen::TabellaLinea>(&contenuti[i]))
        j = dump::json_tabella_linea(*t, righe_per(*t));
      else
        j = {{"error", errori[i]}};
      j["file"] = args.file[i];
      j["kind"] = chiave(tipi[i]);
      j["description"] = descrizione(tipi[i]);
      tutti.push_back(j);
    }
    out << tutti.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  } else {
    bool primo = true;
    for (size_t i = 0; i < args.file.size(); ++i) {
      if (std::holds_alternative<std::monostate>(contenuti[i])) continue;
      if (!primo) out << "\n";
      primo = false;
      out << "== " << args.file[i] << " (" << descrizione(tipi[i]) << ")\n";
      if (const auto* c = std::get_if<std::vector<scen::Cella>>(&contenuti[i]))
        dump::testo_celle(out, *c, collegati(args.file[i], args.file, contenuti));
      else if (const auto* d = std::get_if<DatiSim>(&contenuti[i]))
        dump::testo_dati_sim(out, *d);
      else if (const auto* t = std::get_if<scen::TabellaLinea>(&contenuti[i]))
        dump::testo_tabella_linea(out, *t, righe_per(*t));
    }
  }
  out.flush();
  if (!out) {
    err << "scenc: cannot write the output\n";
    return kErroreRegistrato;
  }
  return esito;
}

}  // namespace scenc
