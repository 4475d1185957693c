// The first half of the compile: the line source file.
#include <string>

#include "compiler/checked_access.h"
#include "platform/path_text.h"
#include "compiler/compile_state.h"
#include "compiler/diagnostic_text.h"
#include "compiler/keywords.h"
#include "compiler/line_placement.h"
#include "compiler/progressive.h"
#include "util/rounding.h"
#include "compiler/track_plan.h"
#include "format/cell_kinds.h"
#include "platform/path_text.h"
#include "format/keywords.h"
#include "format/records.h"

namespace scen {

namespace {

constexpr int64_t kMargineLinea = 100;

bool inizia_con_trattino(const std::string& riga) {
  const size_t primo = riga.find_first_not_of(" \t");
  return primo != std::string::npos && riga[primo] == '-';
}

// Ends the compile in the line half: error recorded, file closed and deleted.
bool ferma_linea(StatoCompilazione& st, int32_t codice, std::string messaggio,
                 std::optional<PosizioneCampo> campo = {}, std::optional<int64_t> cella_presa = {}) {
  st.registra(codice, std::move(messaggio), campo, cella_presa);
  // A compile that goes on after errors keeps reading.
  if (!st.recupera()) st.chiudi_ed_elimina();
  return false;
}

// False, with a read failure, for a length that leaves no grid.
bool dimensiona(StatoCompilazione& st, int32_t lunghezza) {
  const int64_t totale = int64_t{lunghezza} + 7000;
  const int64_t ultima = arrotonda(totale / 50.0);
  if (ultima < 1) {
    st.guasto("line length " + std::to_string(lunghezza) +
              " m leaves no grid: the grid needs a length of -6974 m or more");
    return false;
  }
  st.m.lunghezza_totale = static_cast<int32_t>(totale);
  st.m.ultima_cella = static_cast<int32_t>(ultima);
  return true;
}

// The tables for the line length read last. The general section writes
// into neither, so they are allocated once, on every way out of it: a file
// that repeats "lunghezza percorso" costs a number per line, not a zeroed
// plan of up to a million rows each time.
void alloca_tabelle(Modello& m) {
  m.celle.emplace(static_cast<size_t>(m.ultima_cella) + 1);
  if (m.scrivi_linea) {
    m.tabella_linea.emplace();
    m.tabella_linea->x.dimensiona(static_cast<size_t>(m.lunghezza_totale) + 1);
    m.tabella_linea->y.dimensiona(static_cast<size_t>(m.lunghezza_totale) + 1);
  }
}

// A general-section line whose keyword field `riga` matches keyword `id`:
// its values read into the general records. False when the compile ends.
bool riga_generale(StatoCompilazione& st, Parola id, const std::string& riga, bool& dimensionata) {
  Modello& m = st.m;
  PosizioneCampo a, b;
  switch (id) {
    case Parola::lunghezza_percorso: {
      int32_t lunghezza;
      if (!st.numero(lunghezza, a)) return false;
      m.dati_sim[kRecordTrenoLinea].fine = lunghezza;
      if (lunghezza > st.sorgenti.lunghezza_massima)
        return ferma_linea(st, errori::kLunghezzaEccessiva,
                           "line length " + std::to_string(lunghezza) + " m is greater than the largest, " +
                               std::to_string(st.sorgenti.lunghezza_massima) + " m",
                           a);
      if (!dimensiona(st, lunghezza)) return false;
      dimensionata = true;
      return true;
    }
    case Parola::progressiva_tre:
    case Parola::progressiva_due:
    case Parola::progressiva_uno: {
      RecordSim& r = m.dati_sim[id == Parola::progressiva_tre   ? kRecordProgressivaTre
                                : id == Parola::progressiva_due ? kRecordProgressivaDue
                                                                : kRecordProgressivaUno];
      if (!st.numero(r.inizio, a) || !st.numero(r.fine, b) || !st.numero(r.posizione)) return false;
      st.righe_progressive.push_back({st.campo_chiave, r.inizio, r.fine});
      return true;
    }
    case Parola::sfondo_uno: return st.numero(m.dati_sim[kRecordSfondoPercorso].inizio);
    case Parola::sfondo_due: return st.numero(m.dati_sim[kRecordSfondoPercorso].posizione);
    case Parola::sfondo_tre: return st.numero(m.dati_sim[kRecordSfondoPercorso].fine);
    case Parola::ripetizione_segnali: {
      RecordSim& r = m.dati_sim[kRecordRipetizioneTreno];
      if (!st.numero(r.inizio, a) || !st.numero(r.fine, b)) return false;
      if (r.inizio % 50 != 0)
        return ferma_linea(st, errori::kRipetizioneInizio,
                           "signal repetition start " + std::to_string(r.inizio) + " m is not a multiple of 50", a);
      if (r.fine % 50 != 0)
        return ferma_linea(st, errori::kRipetizioneFine,
                           "signal repetition end " + std::to_string(r.fine) + " m is not a multiple of 50", b);
      if (contiene(riga, "4"))
        r.posizione = 4;
      else if (contiene(riga, "9"))
        r.posizione = 9;
      else
        return ferma_linea(st, errori::kRipetizioneCodici,
                           "the keyword \"" + riga + "\" names neither 4 nor 9 codes", st.campo_chiave);
      if (r.fine == 0) r.posizione = 0;
      return true;
    }
    default:
      return true;
  }
}

// One pass over the general section. Returns false when the compile ends
// (an error or a read failure recorded).
bool sezione_generale(StatoCompilazione& st, bool& dimensionata) {
  // False when the compile ends; true when it goes on after an error.
  const auto fallita = [&st] { return st.riprendi(); };
  st.ambito = Ambito::generale_linea;
  while (!st.fine_file()) {
    if (!st.leggi_chiave()) {
      if (fallita()) continue;
      return false;
    }
    if (st.fine_file()) break;
    bool ripresa = false;
    for (int i = 0; i < commenti_di_seguito(Ambito::generale_linea) && !ripresa; ++i)
      if (contiene(st.chiave, kSegnoCommento) && !st.leggi_chiave()) {
        if (!fallita()) return false;
        ripresa = true;
      }
    if (ripresa) continue;
    const std::string riga = st.chiave;
    for (const ParolaChiave& p : parole(Ambito::generale_linea)) {
      if (corrisponde(p, riga) && !riga_generale(st, p.id, riga, dimensionata)) {
        if (!fallita()) return false;
        ripresa = true;
        break;
      }
    }
    if (ripresa) continue;
    if (contiene(riga, "[") && contiene(riga, "]") && !inizia_con_trattino(riga)) break;
  }
  return !st.fallita();  // the end of the file, or a read failure there
}

// The progressive references as the line file gives them, for messages.
void ricorda_riferimenti(StatoCompilazione& st) {
  st.diagnostica.riferimenti_km = chilometrica_da(st.m.dati_sim).riferimenti();
}

// After a line: go on; close the data sections (the end of the file, or an
// error 15 recorded); or the compile ends here (an error or a read failure
// recorded).
enum class Esito { continua, chiusura, fine };

struct SezioniDati {
  StatoCompilazione& st;
  Modello& m;
  GeometriaLinea geometria;
  int64_t cursore_pendenza = 0;
  int64_t pendenza_attuale = 0;

  explicit SezioniDati(StatoCompilazione& s)
      : st(s), m(s.m), geometria(s.m.tabella_linea, s, s.osservatore_piano) {}

  // The cell at the gradient's cursor takes the gradient before it; false
  // on a read failure.
  bool scrivi_pendenza() {
    Cella* c = cella(m, cursore_pendenza, st);
    if (!c) return false;
    c->pendenza = basso_8(pendenza_attuale + 100);
    ++cursore_pendenza;
    return true;
  }

  Esito ferma(int32_t codice, std::string messaggio, std::optional<PosizioneCampo> campo = {},
              std::optional<int64_t> cella_presa = {}) {
    ferma_linea(st, codice, std::move(messaggio), campo, cella_presa);
    return Esito::fine;
  }

  Esito fuori(int64_t p, const PosizioneCampo& campo) {
    st.registra(errori::kFuoriGriglia,
                "position " + std::to_string(p) + " m lies beyond the grid: the line is " +
                    std::to_string(m.dati_sim[kRecordTrenoLinea].fine) + " m long and its last cell is " +
                    std::to_string(m.ultima_cella) + ", so a position may be at most " +
                    std::to_string(int64_t{m.ultima_cella} * 50 - kMargineLinea) + " m",
                campo);
    return Esito::chiusura;
  }

  // Every keyword the field `riga` matches, in the table's order.
  Esito riga_dati(const std::string& riga) {
    for (const ParolaChiave& p : parole(Ambito::dati_linea)) {
      if (!corrisponde(p, riga)) continue;
      const Esito e = esegui(p.id, riga);
      if (e != Esito::continua) return e;
    }
    return Esito::continua;
  }

  Esito esegui(Parola id, const std::string& riga) {
    switch (id) {
      case Parola::pendenza: return pendenza();
      case Parola::curva: return m.scrivi_linea ? curva(riga) : Esito::continua;
      case Parola::montagna: return montagna();
      case Parola::indicatori_vmax: return indicatori_vmax();
      case Parola::cartello_indicatore: return cartello_indicatore();
      default: return Esito::continua;
    }
  }

  Esito pendenza() {
    PosizioneCampo a;
    int32_t p, g;
    if (!st.numero(p, a) || !st.numero(g)) return Esito::fine;
    if (fuori_griglia(m, p, kMargineLinea)) return fuori(p, a);
    const int64_t v = arrotonda(p / 50.0);
    if (v > 0) {
      do
        if (!scrivi_pendenza()) return Esito::fine;
      while (cursore_pendenza < v);
    }
    pendenza_attuale = g;
    return Esito::continua;
  }

  Esito curva(const std::string& riga) {
    PosizioneCampo a, b;
    int32_t s, l;
    if (!st.numero(s, a) || !st.numero(l, b)) return Esito::fine;
    if (fuori_griglia(m, s, kMargineLinea)) return fuori(s, a);
    int classe = 0;
    for (int d = 1; d <= 6 && classe == 0; ++d)
      if (contiene(riga, std::to_string(d))) classe = d;
    if (classe == 0)
      return ferma(errori::kCurvaNonValida,
                   "the curve keyword \"" + riga + "\" has no class digit 1 to 6", st.campo_chiave);
    double curvatura = curvatura_di_classe(classe);
    if (contiene_nocase(riga, "s")) curvatura = -curvatura;
    if (!geometria.rettilineo_fino_a(s) || !geometria.curva_fino_a(int64_t{s} + l, curvatura)) {
      if (st.fallita()) return Esito::fine;
      return ferma(errori::kCurvaNonValida,
                   "the track runs past metre 1000000, the last the track plan computes for a curve (curve from " +
                       std::to_string(s) + " m, " + std::to_string(l) + " m long)",
                   b);
    }
    return Esito::continua;
  }

  Esito montagna() {
    PosizioneCampo a;
    int32_t inizio, fine, tipo;
    if (!st.numero(inizio, a) || !st.numero(fine) || !st.numero(tipo)) return Esito::fine;
    if (fuori_griglia(m, inizio, kMargineLinea)) return fuori(inizio, a);
    if (memo_montagna(m, st, inizio, fine, tipo) != 0) return Esito::fine;
    return Esito::continua;
  }

  Esito indicatori_vmax() {
    PosizioneCampo a;
    int32_t v[9];
    if (!st.numero(v[0], a)) return Esito::fine;
    for (int i = 1; i < 9; ++i)
      if (!st.numero(v[i])) return Esito::fine;
    if (fuori_griglia(m, v[0], kMargineLinea)) return fuori(v[0], a);
    const int64_t c = arrotonda(v[0] / 50.0 + 1);
    const std::optional<Cella> com_era = cella_com_era(m, c);
    const int32_t rifiuto = memo_indicatori_v_max(m, st, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    if (rifiuto == kErroreLettura) return Esito::fine;
    if (rifiuto != 0)
      return ferma(rifiuto,
                   "speed indicator board at " + in_metri(st.diagnostica, v[0]) + ": " +
                       cella_occupata(m, st.diagnostica, c, com_era),
                   a, c);
    st.origine(c);
    return Esito::continua;
  }

  Esito cartello_indicatore() {
    PosizioneCampo a;
    int32_t p;
    std::string letto;
    if (!st.numero(p, a) || !st.leggi_testo(letto)) return Esito::fine;
    if (fuori_griglia(m, p, kMargineLinea)) return fuori(p, a);
    const int64_t i = arrotonda(p / 50.0 + 1);
    Cella* c = cella(m, i, st);
    if (!c) return Esito::fine;
    if (!c->libera())
      return ferma(errori::kCartelloOccupato,
                   "text board at " + in_metri(st.diagnostica, p) + ": " + cella_occupata(m, st.diagnostica, i), a,
                   i);
    c->tipo = numero(TipoCella::cartello);
    if (!in_16(st.indice_cartello, c->valore_1, st)) return Esito::fine;
    std::string testo;
    if (!st.testo(letto, testo) || !testo_in_record(testo, st)) return Esito::fine;
    RecordSim* r = record(m, st.indice_cartello, st);
    if (!r) return Esito::fine;
    r->testo = std::move(testo);
    --st.indice_cartello;
    st.origine(i);
    return Esito::continua;
  }

  // The data lines, to the end of the file: then the data sections close,
  // unless a read failed there.
  Esito leggi_sezioni() {
    return leggi_righe(st, Ambito::dati_linea, Esito::chiusura, Esito::fine,
                       [this](const std::string& riga) { return riga_dati(riga); });
  }

  // False on a read failure.
  bool chiusura() {
    st.chiudi_ed_elimina();
    do
      if (!scrivi_pendenza()) return false;
    while (cursore_pendenza < int64_t{m.ultima_cella} - 2);
    return !m.scrivi_linea || geometria.completa(m.lunghezza_totale);
  }
};

}  // namespace

bool compila_linea(StatoCompilazione& st) {
  Modello& m = st.m;
  if (!testo_in_record(m.nome_percorso, st)) return false;
  m.dati_sim[kRecordSfondoPercorso].testo = m.nome_percorso;
  if (!testo_in_record(m.nome_treno, st)) return false;
  m.dati_sim[kRecordRipetizioneTreno].testo = m.nome_treno;

  // A text handed over needs no file. Otherwise, not knowing whether the
  // file exists (a directory on the way that may not be searched) is no
  // missing file: it fails as the reading would.
  std::error_code ec;
  const bool esiste = st.sorgenti.testo_linea != nullptr || std::filesystem::exists(st.sorgenti.linea, ec);
  if (ec) {
    st.guasto("cannot look up " + utf8_of(st.sorgenti.linea) + ": " + ec.message());
    return false;
  }
  if (!esiste) {
    st.ultimo_aperto = FileSorgente::linea;
    st.registra(errori::kLineaMancante, "the line file " + utf8_of(st.sorgenti.linea) + " does not exist");
    return false;
  }
  if (!st.apri(FileSorgente::linea)) return false;

  for (std::string campo;;) {
    if (!st.leggi_testo(campo)) return false;
    if (st.fine_file()) {
      if (st.fallita()) return false;
      return ferma_linea(st, errori::kSenzaGenerale,
                         "no field containing \"[generale]\" comes before the end of the file");
    }
    if (contiene_nocase(campo, kInizioLettura)) break;
  }
  bool dimensionata = false;
  const bool avanti = sezione_generale(st, dimensionata);
  // The tables are sized on every way out, a read failure's too.
  if (dimensionata) alloca_tabelle(m);
  if (!avanti) return false;
  // Without a grid, every data line would fail the same way.
  if (st.recupera() && !dimensionata) return false;

  if (!progressive_ordina(m, st) && !st.recupera()) return false;
  ricorda_riferimenti(st);
  m.numero_montagne = 0;
  st.indice_cartello = kRecordPrimoCartello;
  SezioniDati dati(st);
  if (m.scrivi_linea && !dati.geometria.avvia()) return false;
  if (dati.leggi_sezioni() == Esito::fine) return false;
  return dati.chiusura();
}

}  // namespace scen
