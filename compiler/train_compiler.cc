// The second half of the compile: the train source file.
#include <algorithm>
#include <string>

#include "compiler/checked_access.h"
#include "compiler/compile_state.h"
#include "compiler/diagnostic_text.h"
#include "compiler/keywords.h"
#include "util/rounding.h"
#include "compiler/train_placement.h"
#include "format/cell_kinds.h"
#include "format/keywords.h"
#include "format/records.h"

namespace scen {

namespace {

constexpr int64_t kMargineTreno = 100;
constexpr int64_t kMargineStazione = 800;

// A profile (speed limit or adhesion) filled cell by cell up to each line's
// position with the value of the line before it.
struct Profilo {
  int64_t cursore = 0;
  int64_t precedente = 0;
};

struct SezioneTreno {
  StatoCompilazione& st;
  Modello& m;
  Profilo velocita;
  Profilo aderenza;
  int32_t stazione = 1;

  explicit SezioneTreno(StatoCompilazione& s) : st(s), m(s.m) {}

  // After a line: go on; end the reading and take the final steps (the end
  // of the file, or an error 15 recorded); or the compile ends here (an
  // error or a read failure recorded).
  enum class Esito { continua, fine_passi, ferma };

  // A number read into a field of its width; false on a read failure, the
  // field then as it was.
  template <class T>
  bool numero_in(T& campo) {
    int32_t n;
    return st.numero(n) && adatta(n, campo, st);
  }

  // The cell at the speed cursor takes the limit before it, as speed / 5.
  bool scrivi_velocita() {
    const int64_t kmh = velocita.precedente;
    const int64_t q = arrotonda(kmh / 5.0);
    if (q < 0 || q > 255) {
      st.guasto("speed limit " + std::to_string(kmh) + " km/h does not fit: " +
                "speed / 5 must lie between 0 and 255 (at most 1277 km/h)");
      return false;
    }
    Cella* c = cella(m, velocita.cursore, st);
    if (!c) return false;
    c->vel_limite = static_cast<uint8_t>(q);
    ++velocita.cursore;
    return true;
  }

  // The cell at the adhesion cursor takes the adhesion before it.
  bool scrivi_aderenza() {
    Cella* c = cella(m, aderenza.cursore, st);
    if (!c) return false;
    c->aderenza = basso_8(aderenza.precedente);
    ++aderenza.cursore;
    return true;
  }

  // Both return false on a read failure.
  bool riempi_velocita(int64_t b) {
    do {
      if (velocita.cursore >= m.ultima_cella) break;
      if (!scrivi_velocita()) return false;
    } while (velocita.cursore < b);
    return true;
  }

  bool riempi_aderenza(int64_t b) {
    do
      if (!scrivi_aderenza()) return false;
    while (aderenza.cursore < b);
    return true;
  }

  Esito fuori(int64_t p, int64_t margine, const PosizioneCampo& campo) {
    st.registra(errori::kFuoriGriglia,
                "position " + std::to_string(p) + " m lies beyond the grid: the line is " +
                    std::to_string(m.dati_sim[kRecordTrenoLinea].fine) + " m long and its last cell is " +
                    std::to_string(m.ultima_cella) + ", so this line's position may be at most " +
                    std::to_string(int64_t{m.ultima_cella} * 50 - margine) + " m",
                campo);
    return Esito::fine_passi;
  }

  Esito ferma(int32_t codice, std::string messaggio, std::optional<PosizioneCampo> campo = {},
              std::optional<int64_t> cella_presa = {}) {
    st.registra(codice, std::move(messaggio), campo, cella_presa);
    return Esito::ferma;
  }

  // After a placement that returned `rifiuto` (not a read failure): its
  // own refusal, told as "<cosa> at <metri>: " and what `occupata()` says,
  // or an error 15 of the line file recorded before it (`prima`), which
  // stops the compile here. The words are made only for a refusal.
  template <class Occupata>
  Esito dopo_posa(int32_t prima, int32_t rifiuto, const char* cosa, int64_t metri, const Occupata& occupata,
                  const PosizioneCampo& campo, std::optional<int64_t> cella_presa) {
    if (rifiuto != 0)
      return ferma(rifiuto, std::string(cosa) + " at " + in_metri(st.diagnostica, metri) + ": " + occupata(), campo,
                   cella_presa);
    if (prima != 0) return Esito::ferma;
    return Esito::continua;
  }

  // A station line: its values read and checked into the next station
  // record, its zone worked out, its marks placed, its distance from the
  // station before it checked.
  Esito riga_stazione() {
    RecordSim* record_stazione = record(m, stazione, st);
    if (!record_stazione) return Esito::ferma;
    RecordSim& r = *record_stazione;
    PosizioneCampo a;
    int64_t lunghezza = 0;
    Esito e = leggi_stazione(r, a, lunghezza);
    if (e != Esito::continua) return e;
    if (!zona_stazione(r, lunghezza)) return Esito::ferma;
    e = segni_stazione(r, a);
    if (e != Esito::continua) return e;
    return dopo_la_precedente(r, a);
  }

  // The values, in the record as they are read; `a` is where the position
  // stands.
  Esito leggi_stazione(RecordSim& r, PosizioneCampo& a, int64_t& lunghezza) {
    PosizioneCampo b;
    if (!st.numero(r.posizione, a)) return Esito::ferma;
    if (fuori_griglia(m, r.posizione, kMargineStazione)) return fuori(r.posizione, kMargineStazione, a);
    if (r.posizione % 50 != 0)
      return ferma(errori::kStazioneNonMultipla,
                   "station position " + std::to_string(r.posizione) + " m is not a multiple of 50", a);
    if (!numero_in(r.tipo)) return Esito::ferma;
    int32_t lunghezza_letta;
    if (!st.numero(lunghezza_letta, b)) return Esito::ferma;
    lunghezza = lunghezza_letta;
    if (lunghezza % 100 != 0)
      return ferma(errori::kLunghezzaStazione,
                   "station length " + std::to_string(lunghezza) + " m is not a multiple of 100", b);
    if (!numero_in(r.opzione_1) || !numero_in(r.opzione_2) || !numero_in(r.opzione_3) ||
        !numero_in(r.parametro_1) || !numero_in(r.parametro_2) || !numero_in(r.parametro_3) ||
        !numero_in(r.parametro_4) || !numero_in(r.parametro_5) || !numero_in(r.parametro_6) || !numero_in(r.sosta))
      return Esito::ferma;
    int32_t ore, minuti, secondi;
    if (!st.numero(ore) || !st.numero(minuti) || !st.numero(secondi)) return Esito::ferma;
    if (!in_32((int64_t{ore} * 60 + minuti) * 60 + secondi, r.orario, st)) return Esito::ferma;
    std::string letto, testo;
    if (!st.leggi_testo(letto) || !st.testo(letto, testo) || !testo_in_record(testo, st)) return Esito::ferma;
    r.testo = std::move(testo);
    return Esito::continua;
  }

  // The zone from the position, the length and the kind; the options that
  // a short zone or the first station does not keep. False on a read
  // failure.
  bool zona_stazione(RecordSim& r, int64_t lunghezza) {
    const int64_t posizione = r.posizione;
    if (r.tipo == 5 || r.tipo == 6) {
      if (!in_32(posizione - lunghezza, r.inizio, st) || !in_32(posizione + 150, r.fine, st)) return false;
      r.opzione_3 = 0;
    } else if (r.tipo == 7 || r.tipo == 8) {
      if (!in_32(posizione - lunghezza, r.inizio, st) || !in_32(posizione + lunghezza, r.fine, st)) return false;
      r.opzione_3 = 0;
    } else {
      if (!in_32(arrotonda(posizione - lunghezza / 2.0), r.inizio, st) ||
          !in_32(arrotonda(posizione + lunghezza / 2.0) + (r.opzione_3 != 0 ? 50 : 0), r.fine, st))
        return false;
    }
    if (lunghezza < 600) r.opzione_2 = 0;
    if (stazione == 1) {
      r.opzione_3 = 0;
      r.opzione_2 = 0;
    }
    return true;
  }

  // The approach marks before the zone's end and the stop mark, for the
  // kinds that have them.
  Esito segni_stazione(const RecordSim& r, const PosizioneCampo& a) {
    if (r.tipo < 25 && r.tipo != 5 && r.tipo != 6) {
      for (int k = 1; k <= 4; ++k) {
        const double cella_m = r.fine / 50.0 - k - 1;
        if (cella_m <= 1) continue;
        Cella* c = cella(m, arrotonda(cella_m), st);
        if (!c) return Esito::ferma;
        c->preavviso = static_cast<uint8_t>(80 + k);
      }
    }
    if (r.tipo < 25) {
      const double fermata = r.fine / 50.0 - 1;
      if (fermata <= 1)
        return ferma(errori::kFermataInizioLinea,
                     "the zone of stopping station \"" + r.testo + "\" ends at " + std::to_string(r.fine) +
                         " m; a station with a stop mark must end beyond 100 m",
                     a);
      const int64_t i = arrotonda(fermata);
      Cella* c = cella(m, i, st);
      if (!c) return Esito::ferma;
      c->tipo = numero(TipoCella::fermata);
      if (!in_16(stazione, c->valore_1, st)) return Esito::ferma;
      st.origine(i);
    }
    return Esito::continua;
  }

  // 350 m at least after the zone of the station before; room for one more.
  Esito dopo_la_precedente(const RecordSim& r, const PosizioneCampo& a) {
    if (stazione > 1 && int64_t{r.inizio} - 350 < m.dati_sim[stazione - 1].fine) {
      const RecordSim& prima = m.dati_sim[stazione - 1];
      return ferma(errori::kStazioniVicine,
                   int64_t{r.inizio} < prima.fine
                       ? "the zone of station \"" + r.testo + "\" starts at " + std::to_string(r.inizio) +
                             " m, before the zone of \"" + prima.testo + "\" ends at " + std::to_string(prima.fine) +
                             " m: stations must come in the order of their positions, at least 350 m apart"
                       : "the zone of station \"" + r.testo + "\" starts at " + std::to_string(r.inizio) + " m, only " +
                             std::to_string(int64_t{r.inizio} - prima.fine) + " m after the zone of \"" + prima.testo +
                             "\" ends at " + std::to_string(prima.fine) + " m; at least 350 m are needed",
                   a);
    }
    ++stazione;
    if (stazione >= st.indice_cartello)
      return ferma(errori::kTroppeStazioni,
                   "too many stations: the line file's " + std::to_string(kRecordPrimoCartello - st.indice_cartello) +
                       " text boards leave room for " + std::to_string(std::max(0, st.indice_cartello - 2)) +
                       " stations (78 less one per board), and this is station " + std::to_string(stazione - 1),
                   st.campo_chiave);
    return Esito::continua;
  }

  Esito riga_segnale() {
    PosizioneCampo a;
    int32_t v[11];
    if (!st.numero(v[0], a)) return Esito::ferma;
    for (int i = 1; i < 11; ++i)
      if (!st.numero(v[i])) return Esito::ferma;
    if (fuori_griglia(m, v[0], kMargineTreno)) return fuori(v[0], kMargineTreno, a);
    const int64_t s = arrotonda(v[0] / 50.0 + 1);
    const std::optional<Cella> com_era = cella_com_era(m, s);
    const int32_t prima = st.diagnostica.codice;
    const int32_t rifiuto = memo_segnale(m, st, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    if (rifiuto == kErroreLettura) return Esito::ferma;
    if (rifiuto == 0 && prima == 0) st.origine(s);
    return dopo_posa(prima, rifiuto, "signal", v[0],
                     [&] { return cella_occupata(m, st.diagnostica, s, com_era); }, a, s);
  }

  Esito riga_rallentamento() {
    PosizioneCampo a;
    int32_t v[6];
    if (!st.numero(v[0], a)) return Esito::ferma;
    for (int i = 1; i < 6; ++i)
      if (!st.numero(v[i])) return Esito::ferma;
    if (fuori_griglia(m, v[0], kMargineTreno)) return fuori(v[0], kMargineTreno, a);
    const int64_t x = v[0];
    const int64_t e = arrotonda((x + v[2]) / 50.0 + 1);
    const int64_t s = arrotonda(x / 50.0 + 1);
    const int64_t w = arrotonda((x - 1200) / 50.0 + 1);
    const int32_t prima = st.diagnostica.codice;
    // The message is written before the cells change.
    std::string occupata;
    std::optional<int64_t> presa;  // the cell another line's object takes
    const auto libera = [&](int64_t i) { return !m.celle || i < 0 || i >= static_cast<int64_t>(m.celle->size()) || (*m.celle)[i].libera(); };
    if (x > 1500 && !libera(w)) {
      occupata = "its warning point, 1200 m before the start, falls in " + cade_in_cella_occupata(m, st.diagnostica, w);
      presa = w;
    } else if (!libera(s)) {
      occupata = "its start falls in " + cade_in_cella_occupata(m, st.diagnostica, s);
      presa = s;
    } else if (!libera(e)) {
      occupata = "its end falls in " + cade_in_cella_occupata(m, st.diagnostica, e);
      presa = e;
    } else {
      // The pre-warning cells are checked after this slowdown's own cells
      // have been placed, so one of those may be what takes them.
      const int64_t base = arrotonda((x - 1200) / 50.0);
      for (int i = 0; i <= 3 && occupata.empty(); ++i) {
        const int64_t p = base - i;
        const char* propria = x > 1500 && p == w ? "its own warning point"
                              : p == s            ? "its own start"
                              : p == e            ? "its own end"
                                                  : nullptr;
        if (propria && v[4] != 0)
          occupata = "its pre-warning cells before the warning point: " + nome_cella(st.diagnostica, p) +
                     " is " + propria + " (start it on a multiple of 50 m)";
        else if (!libera(p)) {
          occupata = "its pre-warning cells before the warning point: " + cella_occupata(m, st.diagnostica, p);
          presa = p;
        }
      }
    }
    const int32_t rifiuto = memo_rallentamento(m, st, v[0], v[1], v[2], v[3], v[4], v[5]);
    if (rifiuto == kErroreLettura) return Esito::ferma;
    if (rifiuto == 0) {
      for (int64_t i : {s, e}) st.origine(i);
      if (x > 1500) st.origine(w);
    }
    return dopo_posa(prima, rifiuto, "slowdown", x, [&] { return occupata; }, a, presa);
  }

  // Every keyword the field `riga` matches, in the table's order.
  Esito riga_dati(const std::string& riga) {
    for (const ParolaChiave& p : parole(Ambito::treno)) {
      if (!corrisponde(p, riga)) continue;
      const Esito e = esegui(p.id);
      if (e != Esito::continua) return e;
    }
    return Esito::continua;
  }

  Esito esegui(Parola id) {
    RecordSim& generali = m.dati_sim[kRecordTrenoLinea];
    RecordSim& treno = m.dati_sim[kRecordRipetizioneTreno];
    switch (id) {
      case Parola::massa_frenata: return st.numero(generali.inizio) ? Esito::continua : Esito::ferma;
      case Parola::numero_vetture: return st.numero(generali.posizione) ? Esito::continua : Esito::ferma;
      case Parola::velocita: return riga_velocita();
      case Parola::aderenza: return riga_aderenza();
      case Parola::orologio:
        return numero_in(treno.parametro_4) && numero_in(treno.parametro_5) && numero_in(treno.parametro_6)
                   ? Esito::continua
                   : Esito::ferma;
      case Parola::sabbia: return numero_in(treno.parametro_1) ? Esito::continua : Esito::ferma;
      case Parola::segnale: return riga_segnale();
      case Parola::rallentamento: return riga_rallentamento();
      case Parola::abbattimento: return riga_abbattimento();
      case Parola::stazione: return riga_stazione();
      default: return Esito::continua;
    }
  }

  Esito riga_velocita() {
    PosizioneCampo a;
    int32_t p, v;
    if (!st.numero(p, a) || !st.numero(v)) return Esito::ferma;
    if (fuori_griglia(m, p, kMargineTreno)) return fuori(p, kMargineTreno, a);
    const int64_t b = arrotonda(p / 50.0);
    if (b > 0 && !riempi_velocita(b)) return Esito::ferma;
    velocita.precedente = v;
    return Esito::continua;
  }

  Esito riga_aderenza() {
    PosizioneCampo a;
    int32_t p, v;
    if (!st.numero(p, a) || !st.numero(v)) return Esito::ferma;
    if (fuori_griglia(m, p, kMargineTreno)) return fuori(p, kMargineTreno, a);
    const int64_t b = arrotonda(p / 50.0);
    if (b > 0 && !riempi_aderenza(b)) return Esito::ferma;
    aderenza.precedente = v;
    return Esito::continua;
  }

  Esito riga_abbattimento() {
    PosizioneCampo a;
    int32_t p, codice;
    if (!st.numero(p, a) || !st.numero(codice)) return Esito::ferma;
    if (fuori_griglia(m, p, kMargineTreno)) return fuori(p, kMargineTreno, a);
    const int64_t i = arrotonda(p / 50.0);
    Cella* c = cella(m, i, st);
    if (!c) return Esito::ferma;
    if (!c->libera())
      return ferma(errori::kAbbattimentoOccupato,
                   "code point at " + in_metri(st.diagnostica, p) + ": " + cella_occupata(m, st.diagnostica, i), a,
                   i);
    if (codice > 0) {
      c->tipo = numero(TipoCella::abbattimento);
      if (!in_16(codice, c->valore_1, st)) return Esito::ferma;
    } else {
      c->tipo = numero(TipoCella::abbattimento_senza_codice);
    }
    st.origine(i);
    return Esito::continua;
  }

  // The data lines, to the end of the file: then the final steps follow,
  // unless a read failed there.
  Esito leggi() {
    return leggi_righe(st, Ambito::treno, Esito::fine_passi, Esito::ferma,
                       [this](const std::string& riga) { return riga_dati(riga); });
  }

  void controlla_progressive() {
    for (int i = kRecordProgressivaTre; i <= kRecordProgressivaUno; ++i) {
      const RecordSim& r = m.dati_sim[i];
      if (r.inizio % 50 == 0 && r.fine % 50 == 0) continue;
      std::optional<PosizioneCampo> campo;
      std::string riga = "a kilometric progressive reference";
      for (const auto& p : st.righe_progressive) {
        if (p.posizione % 50 != 0 || p.progressiva % 50 != 0) {
          campo = p.campo;
          riga = "the kilometric progressive reference at position " + std::to_string(p.posizione) +
                 " m, progressive " + std::to_string(p.progressiva) + " m,";
          break;
        }
      }
      st.ultimo_aperto = FileSorgente::linea;
      st.registra(errori::kProgressivaNonMultipla,
                  riga + " has a position or progressive that is not a multiple of 50", campo);
      return;
    }
  }

  void passi_finali() {
    st.chiudi_ed_elimina();
    const int64_t limite = int64_t{m.ultima_cella} - 2;
    do
      if (!scrivi_velocita()) return;
    while (velocita.cursore < limite);
    do
      if (!scrivi_aderenza()) return;
    while (aderenza.cursore < limite);
    controlla_progressive();
  }
};

}  // namespace

void compila_treno(StatoCompilazione& st) {
  if (!st.apri(FileSorgente::treno)) return;
  std::string campo;
  do
    if (!st.leggi_testo(campo)) return;
  while (!contiene_nocase(campo, kInizioLettura) && !st.fine_file());

  SezioneTreno treno(st);
  if (treno.leggi() == SezioneTreno::Esito::ferma) {
    st.chiudi_ed_elimina();
    return;
  }
  treno.passi_finali();
}

}  // namespace scen
