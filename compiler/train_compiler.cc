// The second half of the compile: the train source file.
#include <algorithm>
#include <string>

#include "compiler/checked_access.h"
#include "compiler/compile_state.h"
#include "compiler/diagnostic_text.h"
#include "compiler/keywords.h"
#include "util/rounding.h"
#include "compiler/train_placement.h"

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

  uint8_t quinto(int64_t kmh) {
    const int64_t q = arrotonda(kmh / 5.0);
    if (q < 0 || q > 255)
      throw ErroreLettura("speed limit " + std::to_string(kmh) + " km/h does not fit: " +
                          "speed / 5 must lie between 0 and 255 (at most 1277 km/h)");
    return static_cast<uint8_t>(q);
  }

  void riempi_velocita(int64_t b) {
    do {
      if (velocita.cursore >= m.ultima_cella) break;
      cella(m, velocita.cursore).vel_limite = quinto(velocita.precedente);
      ++velocita.cursore;
    } while (velocita.cursore < b);
  }

  void riempi_aderenza(int64_t b) {
    do {
      cella(m, aderenza.cursore).aderenza = basso_8(aderenza.precedente);
      ++aderenza.cursore;
    } while (aderenza.cursore < b);
  }

  enum class Esito { continua, fine_passi, ferma };

  Esito fuori(int64_t p, int64_t margine, const PosizioneCampo& campo) {
    st.registra(errori::kFuoriGriglia,
                "position " + std::to_string(p) + " m lies beyond the grid: the line is " +
                    std::to_string(m.dati_sim[84].fine) + " m long and its last cell is " +
                    std::to_string(m.ultima_cella) + ", so this line's position may be at most " +
                    std::to_string(int64_t{m.ultima_cella} * 50 - margine) + " m",
                campo);
    return Esito::fine_passi;
  }

  Esito ferma(int32_t codice, std::string messaggio, std::optional<PosizioneCampo> campo = {}) {
    st.registra(codice, std::move(messaggio), campo);
    return Esito::ferma;
  }

  // After a placement: its own refusal, told as "<cosa> at <metri>: " and
  // what `occupata()` says, or an error an earlier stage left. The words
  // are made only for a refusal.
  template <class Occupata>
  Esito dopo_posa(int32_t prima, const char* cosa, int64_t metri, const Occupata& occupata,
                  const PosizioneCampo& campo) {
    if (m.codice_errore <= 0) return Esito::continua;
    if (m.codice_errore != prima)
      return ferma(m.codice_errore, std::string(cosa) + " at " + in_metri(st.diagnostica, metri) + ": " + occupata(),
                   campo);
    return Esito::ferma;  // an error 15 of the line file stops the compile here
  }

  Esito riga_stazione() {
    PosizioneCampo a, b;
    RecordSim& r = record(m, stazione);
    r.posizione = st.numero(a);
    if (fuori_griglia(m, r.posizione, kMargineStazione)) return fuori(r.posizione, kMargineStazione, a);
    if (r.posizione % 50 != 0)
      return ferma(errori::kStazioneNonMultipla,
                   "station position " + std::to_string(r.posizione) + " m is not a multiple of 50", a);
    r.tipo = in_8(st.numero());
    const int64_t lunghezza = st.numero(b);
    if (lunghezza % 100 != 0)
      return ferma(errori::kLunghezzaStazione,
                   "station length " + std::to_string(lunghezza) + " m is not a multiple of 100", b);
    r.opzione_1 = in_8(st.numero());
    r.opzione_2 = in_8(st.numero());
    r.opzione_3 = in_8(st.numero());
    r.parametro_1 = in_16(st.numero());
    r.parametro_2 = in_16(st.numero());
    r.parametro_3 = in_8(st.numero());
    r.parametro_4 = in_16(st.numero());
    r.parametro_5 = in_16(st.numero());
    r.parametro_6 = in_16(st.numero());
    r.sosta = in_8(st.numero());
    const int64_t ore = st.numero();
    const int64_t minuti = st.numero();
    const int64_t secondi = st.numero();
    r.orario = in_32((ore * 60 + minuti) * 60 + secondi);
    r.testo = testo_record(st.testo(st.lettore->leggi_testo()));
    m.riga = r.testo;

    const int64_t posizione = r.posizione;
    if (r.tipo == 5 || r.tipo == 6) {
      r.inizio = in_32(posizione - lunghezza);
      r.fine = in_32(posizione + 150);
      r.opzione_3 = 0;
    } else if (r.tipo == 7 || r.tipo == 8) {
      r.inizio = in_32(posizione - lunghezza);
      r.fine = in_32(posizione + lunghezza);
      r.opzione_3 = 0;
    } else {
      r.inizio = in_32(arrotonda(posizione - lunghezza / 2.0));
      r.fine = in_32(arrotonda(posizione + lunghezza / 2.0) + (r.opzione_3 != 0 ? 50 : 0));
    }
    if (lunghezza < 600) r.opzione_2 = 0;
    if (stazione == 1) {
      r.opzione_3 = 0;
      r.opzione_2 = 0;
    }
    if (r.tipo < 25 && r.tipo != 5 && r.tipo != 6) {
      for (int k = 1; k <= 4; ++k) {
        const double cella_m = r.fine / 50.0 - k - 1;
        if (cella_m > 1) cella(m, arrotonda(cella_m)).preavviso = static_cast<uint8_t>(80 + k);
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
      Cella& c = cella(m, i);
      c.tipo = 10;
      c.valore_1 = in_16(stazione);
      st.origine(i);
    }
    if (stazione > 1 && int64_t{r.inizio} - 350 < m.dati_sim[stazione - 1].fine) {
      const RecordSim& prima = m.dati_sim[stazione - 1];
      return ferma(errori::kStazioniVicine,
                   "the zone of station \"" + r.testo + "\" starts at " + std::to_string(r.inizio) + " m, only " +
                       std::to_string(int64_t{r.inizio} - prima.fine) + " m after the zone of \"" + prima.testo +
                       "\" ends at " + std::to_string(prima.fine) + " m; at least 350 m are needed",
                   a);
    }
    ++stazione;
    if (stazione >= st.indice_cartello)
      return ferma(errori::kTroppeStazioni,
                   "too many stations: the line file's " + std::to_string(80 - st.indice_cartello) +
                       " text boards leave room for " + std::to_string(std::max(0, st.indice_cartello - 2)) +
                       " stations (78 less one per board), and this is station " + std::to_string(stazione - 1),
                   st.campo_chiave);
    return Esito::continua;
  }

  Esito riga_segnale() {
    PosizioneCampo a;
    int32_t v[11];
    v[0] = st.numero(a);
    for (int i = 1; i < 11; ++i) v[i] = st.numero();
    if (fuori_griglia(m, v[0], kMargineTreno)) return fuori(v[0], kMargineTreno, a);
    const int64_t s = arrotonda(v[0] / 50.0 + 1);
    const std::optional<Cella> com_era = cella_com_era(m, s);
    const int32_t prima = m.codice_errore;
    memo_segnale(m, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
    if (m.codice_errore == 0) st.origine(s);
    return dopo_posa(prima, "signal", v[0], [&] { return cella_occupata(m, st.diagnostica, s, com_era); }, a);
  }

  Esito riga_rallentamento() {
    PosizioneCampo a;
    int32_t v[6];
    v[0] = st.numero(a);
    for (int i = 1; i < 6; ++i) v[i] = st.numero();
    if (fuori_griglia(m, v[0], kMargineTreno)) return fuori(v[0], kMargineTreno, a);
    const int64_t x = v[0];
    const int64_t e = arrotonda((x + v[2]) / 50.0 + 1);
    const int64_t s = arrotonda(x / 50.0 + 1);
    const int64_t w = arrotonda((x - 1200) / 50.0 + 1);
    const int32_t prima = m.codice_errore;
    // The message is written before the cells change.
    std::string occupata;
    const auto libera = [&](int64_t i) { return !m.celle || i < 0 || i >= static_cast<int64_t>(m.celle->size()) || (*m.celle)[i].libera(); };
    if (x > 1500 && !libera(w))
      occupata = "its warning point, 1200 m before the start, falls in " + cella_occupata(m, st.diagnostica, w);
    else if (!libera(s))
      occupata = "its start falls in " + cella_occupata(m, st.diagnostica, s);
    else if (!libera(e))
      occupata = "its end falls in " + cella_occupata(m, st.diagnostica, e);
    else {
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
        else if (!libera(p))
          occupata = "its pre-warning cells before the warning point: " + cella_occupata(m, st.diagnostica, p);
      }
    }
    memo_rallentamento(m, v[0], v[1], v[2], v[3], v[4], v[5]);
    if (m.codice_errore == 0 || m.codice_errore == prima) {
      for (int64_t i : {s, e}) st.origine(i);
      if (x > 1500) st.origine(w);
    }
    return dopo_posa(prima, "slowdown", x, [&] { return occupata; }, a);
  }

  Esito riga_dati(const std::string& riga) {
    PosizioneCampo a;
    if (contiene_nocase(riga, "massa") && contiene_nocase(riga, "frenata"))
      m.dati_sim[84].inizio = st.numero();
    if (contiene_nocase(riga, "vetture")) m.dati_sim[84].posizione = st.numero();
    if (contiene_nocase(riga, "velocit")) {
      const int32_t p = st.numero(a);
      const int32_t v = st.numero();
      if (fuori_griglia(m, p, kMargineTreno)) return fuori(p, kMargineTreno, a);
      const int64_t b = arrotonda(p / 50.0);
      if (b > 0) riempi_velocita(b);
      velocita.precedente = v;
    }
    if (contiene_nocase(riga, "aderenza")) {
      const int32_t p = st.numero(a);
      const int32_t v = st.numero();
      if (fuori_griglia(m, p, kMargineTreno)) return fuori(p, kMargineTreno, a);
      const int64_t b = arrotonda(p / 50.0);
      if (b > 0) riempi_aderenza(b);
      aderenza.precedente = v;
    }
    if (contiene_nocase(riga, "orologio")) {
      RecordSim& r = m.dati_sim[86];
      r.parametro_4 = in_16(st.numero());
      r.parametro_5 = in_16(st.numero());
      r.parametro_6 = in_16(st.numero());
    }
    if (contiene_nocase(riga, "sabbia")) m.dati_sim[86].parametro_1 = in_16(st.numero());
    if (contiene_nocase(riga, "segnale")) {
      const Esito e = riga_segnale();
      if (e != Esito::continua) return e;
    }
    if (contiene_nocase(riga, "rallentamento")) {
      const Esito e = riga_rallentamento();
      if (e != Esito::continua) return e;
    }
    if (contiene_nocase(riga, "abbattimento")) {
      const int32_t p = st.numero(a);
      const int32_t codice = st.numero();
      if (fuori_griglia(m, p, kMargineTreno)) return fuori(p, kMargineTreno, a);
      const int64_t i = arrotonda(p / 50.0);
      Cella& c = cella(m, i);
      if (!c.libera())
        return ferma(errori::kAbbattimentoOccupato,
                     "code point at " + in_metri(st.diagnostica, p) + ": " + cella_occupata(m, st.diagnostica, i), a);
      if (codice > 0) {
        c.tipo = 12;
        c.valore_1 = in_16(codice);
      } else {
        c.tipo = 13;
      }
      st.origine(i);
    }
    if (contiene_nocase(riga, "stazione")) return riga_stazione();
    return Esito::continua;
  }

  Esito leggi() {
    for (;;) {
      if (st.fine_file()) return Esito::fine_passi;
      st.leggi_chiave();
      if (st.fine_file()) return Esito::fine_passi;
      for (int i = 0; i < 2; ++i) {
        if (contiene(m.riga, "-")) {
          st.leggi_chiave();
          if (st.fine_file()) return Esito::fine_passi;
        }
      }
      const Esito e = riga_dati(std::string(m.riga));
      if (e != Esito::continua) return e;
    }
  }

  void controlla_progressive() {
    for (int i = 81; i <= 83; ++i) {
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
      st.registra(errori::kProgressivaNonMultipla,
                  riga + " has a position or progressive that is not a multiple of 50", campo);
      st.diagnostica.file = FileSorgente::linea;
      return;
    }
  }

  void passi_finali() {
    st.chiudi_ed_elimina();
    const int64_t limite = int64_t{m.ultima_cella} - 2;
    do {
      cella(m, velocita.cursore).vel_limite = quinto(velocita.precedente);
      ++velocita.cursore;
    } while (velocita.cursore < limite);
    do {
      cella(m, aderenza.cursore).aderenza = basso_8(aderenza.precedente);
      ++aderenza.cursore;
    } while (aderenza.cursore < limite);
    controlla_progressive();
  }
};

}  // namespace

void compila_treno(StatoCompilazione& st) {
  st.apri(FileSorgente::treno);
  do st.leggi_riga();
  while (!contiene_nocase(st.m.riga, "[generale]") && !st.fine_file());

  SezioneTreno treno(st);
  if (treno.leggi() == SezioneTreno::Esito::ferma) {
    st.chiudi_ed_elimina();
    return;
  }
  treno.passi_finali();
}

}  // namespace scen
