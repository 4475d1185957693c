// The second half of the compile: the train source file.
#include <string>

#include "compiler/checked_access.h"
#include "compiler/compile_state.h"
#include "compiler/keywords.h"
#include "compiler/rounding.h"
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

  uint8_t quinto(int64_t kmh) { return in_8(arrotonda(kmh / 5.0)); }

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

  Esito fuori(int64_t p) {
    st.registra(errori::kFuoriGriglia,
                "position " + std::to_string(p) + " lies beyond the grid's last cell " +
                    std::to_string(m.ultima_cella));
    return Esito::fine_passi;
  }

  Esito ferma(int32_t codice) {
    st.registra(codice);
    return Esito::ferma;
  }

  // A placement routine has left its number (or an earlier 15) in place.
  Esito dopo_posa() {
    if (m.codice_errore > 0) return ferma(m.codice_errore);
    return Esito::continua;
  }

  Esito riga_stazione() {
    RecordSim& r = record(m, stazione);
    r.posizione = st.numero();
    if (fuori_griglia(m, r.posizione, kMargineStazione)) return fuori(r.posizione);
    if (r.posizione % 50 != 0) return ferma(errori::kStazioneNonMultipla);
    r.tipo = in_8(st.numero());
    const int64_t lunghezza = st.numero();
    if (lunghezza % 100 != 0) return ferma(errori::kLunghezzaStazione);
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
    r.testo = testo_record(st.lettore->leggi_testo());
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
      if (fermata <= 1) return ferma(errori::kFermataInizioLinea);
      Cella& c = cella(m, arrotonda(fermata));
      c.tipo = 10;
      c.valore_1 = in_16(stazione);
    }
    if (stazione > 1 && int64_t{r.inizio} - 350 < m.dati_sim[stazione - 1].fine)
      return ferma(errori::kStazioniVicine);
    ++stazione;
    if (stazione >= st.indice_cartello) return ferma(errori::kTroppeStazioni);
    return Esito::continua;
  }

  Esito riga_dati(const std::string& riga) {
    if (contiene_nocase(riga, "massa") && contiene_nocase(riga, "frenata"))
      m.dati_sim[84].inizio = st.numero();
    if (contiene_nocase(riga, "vetture")) m.dati_sim[84].posizione = st.numero();
    if (contiene_nocase(riga, "velocit")) {
      const int32_t p = st.numero();
      const int32_t v = st.numero();
      if (fuori_griglia(m, p, kMargineTreno)) return fuori(p);
      const int64_t b = arrotonda(p / 50.0);
      if (b > 0) riempi_velocita(b);
      velocita.precedente = v;
    }
    if (contiene_nocase(riga, "aderenza")) {
      const int32_t p = st.numero();
      const int32_t a = st.numero();
      if (fuori_griglia(m, p, kMargineTreno)) return fuori(p);
      const int64_t b = arrotonda(p / 50.0);
      if (b > 0) riempi_aderenza(b);
      aderenza.precedente = a;
    }
    if (contiene_nocase(riga, "orologio")) {
      RecordSim& r = m.dati_sim[86];
      r.parametro_4 = in_16(st.numero());
      r.parametro_5 = in_16(st.numero());
      r.parametro_6 = in_16(st.numero());
    }
    if (contiene_nocase(riga, "sabbia")) m.dati_sim[86].parametro_1 = in_16(st.numero());
    if (contiene_nocase(riga, "segnale")) {
      int32_t v[11];
      for (int32_t& x : v) x = st.numero();
      if (fuori_griglia(m, v[0], kMargineTreno)) return fuori(v[0]);
      memo_segnale(m, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
      if (dopo_posa() == Esito::ferma) return Esito::ferma;
    }
    if (contiene_nocase(riga, "rallentamento")) {
      int32_t v[6];
      for (int32_t& x : v) x = st.numero();
      if (fuori_griglia(m, v[0], kMargineTreno)) return fuori(v[0]);
      memo_rallentamento(m, v[0], v[1], v[2], v[3], v[4], v[5]);
      if (dopo_posa() == Esito::ferma) return Esito::ferma;
    }
    if (contiene_nocase(riga, "abbattimento")) {
      const int32_t p = st.numero();
      const int32_t codice = st.numero();
      if (fuori_griglia(m, p, kMargineTreno)) return fuori(p);
      Cella& c = cella(m, arrotonda(p / 50.0));
      if (!c.libera()) return ferma(errori::kAbbattimentoOccupato);
      if (codice > 0) {
        c.tipo = 12;
        c.valore_1 = in_16(codice);
      } else {
        c.tipo = 13;
      }
    }
    if (contiene_nocase(riga, "stazione")) return riga_stazione();
    return Esito::continua;
  }

  Esito leggi() {
    for (;;) {
      if (st.fine_file()) return Esito::fine_passi;
      st.leggi_riga();
      if (st.fine_file()) return Esito::fine_passi;
      for (int i = 0; i < 2; ++i) {
        if (contiene(m.riga, "-")) {
          st.leggi_riga();
          if (st.fine_file()) return Esito::fine_passi;
        }
      }
      const Esito e = riga_dati(std::string(m.riga));
      if (e != Esito::continua) return e;
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
    for (int i = 81; i <= 83; ++i) {
      const RecordSim& r = m.dati_sim[i];
      if (r.inizio % 50 != 0 || r.fine % 50 != 0) {
        st.registra(errori::kProgressivaNonMultipla,
                    "record " + std::to_string(i) + " holds position " + std::to_string(r.inizio) +
                        " and progressive " + std::to_string(r.fine));
        break;
      }
    }
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
