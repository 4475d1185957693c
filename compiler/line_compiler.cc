// The first half of the compile: the line source file.
#include <string>

#include "compiler/checked_access.h"
#include "compiler/compile_state.h"
#include "compiler/keywords.h"
#include "compiler/line_placement.h"
#include "compiler/progressive.h"
#include "compiler/rounding.h"
#include "compiler/track_plan.h"

namespace scen {

namespace {

constexpr int kCommentiGenerale = 10;
constexpr int32_t kLunghezzaMassima = 1000000;
constexpr int64_t kMargineLinea = 100;

bool inizia_con_trattino(const std::string& riga) {
  const size_t primo = riga.find_first_not_of(" \t");
  return primo != std::string::npos && riga[primo] == '-';
}

// One pass over the general section. Returns false when the compile ends.
bool sezione_generale(StatoCompilazione& st) {
  Modello& m = st.m;
  while (!st.fine_file()) {
    st.leggi_riga();
    if (st.fine_file()) break;
    for (int i = 0; i < kCommentiGenerale; ++i)
      if (contiene(m.riga, "-")) st.leggi_riga();
    const std::string riga = m.riga;

    if (contiene_nocase(riga, "percorso") && contiene_nocase(riga, "lunghezza")) {
      const int32_t lunghezza = st.numero();
      m.dati_sim[84].fine = lunghezza;
      if (lunghezza > kLunghezzaMassima) {
        st.registra(errori::kLunghezzaEccessiva);
        st.chiudi_ed_elimina();
        return false;
      }
      const int64_t totale = int64_t{lunghezza} + 7000;
      const int64_t ultima = arrotonda(totale / 50.0);
      if (ultima < 1)
        throw ErroreLettura("line length " + std::to_string(lunghezza) + " leaves no grid");
      m.lunghezza_totale = static_cast<int32_t>(totale);
      m.ultima_cella = static_cast<int32_t>(ultima);
      m.celle.emplace(static_cast<size_t>(ultima) + 1);
      if (m.scrivi_linea != 0) {
        m.tabella_linea.emplace();
        m.tabella_linea->x.dimensiona(static_cast<size_t>(totale) + 1);
        m.tabella_linea->y.dimensiona(static_cast<size_t>(totale) + 1);
      }
    }
    for (auto [parola, indice] : {std::pair{"tre", 81}, {"due", 82}, {"uno", 83}}) {
      if (contiene(riga, parola) && contiene(riga, "progressiva")) {
        RecordSim& r = m.dati_sim[indice];
        r.inizio = st.numero();
        r.fine = st.numero();
        r.posizione = st.numero();
      }
    }
    if (contiene(riga, "sfondo") && contiene(riga, "uno")) m.dati_sim[85].inizio = st.numero();
    if (contiene(riga, "sfondo") && contiene(riga, "due")) m.dati_sim[85].posizione = st.numero();
    if (contiene(riga, "sfondo") && contiene(riga, "tre")) m.dati_sim[85].fine = st.numero();
    if (contiene(riga, "segnali") && contiene(riga, "ripetizione")) {
      RecordSim& r = m.dati_sim[86];
      r.inizio = st.numero();
      r.fine = st.numero();
      int32_t errore = 0;
      if (r.inizio % 50 != 0)
        errore = errori::kRipetizioneInizio;
      else if (r.fine % 50 != 0)
        errore = errori::kRipetizioneFine;
      else if (contiene(riga, "4"))
        r.posizione = 4;
      else if (contiene(riga, "9"))
        r.posizione = 9;
      else
        errore = errori::kRipetizioneCodici;
      if (errore != 0) {
        st.registra(errore);
        st.chiudi_ed_elimina();
        return false;
      }
      if (r.fine == 0) r.posizione = 0;
    }
    if (contiene(riga, "[") && contiene(riga, "]") && !inizia_con_trattino(riga)) break;
  }
  return true;
}

void scrivi_pendenza(Modello& m, int64_t& cursore, int64_t attuale) {
  cella(m, cursore).pendenza = basso_8(attuale + 100);
  ++cursore;
}

enum class Esito { continua, chiusura, fine };

struct SezioniDati {
  StatoCompilazione& st;
  Modello& m;
  GeometriaLinea geometria;
  int64_t cursore_pendenza = 0;
  int64_t pendenza_attuale = 0;

  explicit SezioniDati(StatoCompilazione& s) : st(s), m(s.m), geometria(s.m.tabella_linea) {}

  // Ends the compile with an error: file closed and deleted.
  Esito ferma(int32_t codice) {
    st.registra(codice);
    st.chiudi_ed_elimina();
    return Esito::fine;
  }

  Esito fuori(int64_t p) {
    st.registra(errori::kFuoriGriglia,
                "position " + std::to_string(p) + " lies beyond the grid's last cell " +
                    std::to_string(m.ultima_cella));
    return Esito::chiusura;
  }

  Esito riga_dati(const std::string& riga) {
    if (contiene_nocase(riga, "pendenza")) {
      const int32_t p = st.numero();
      const int32_t g = st.numero();
      if (fuori_griglia(m, p, kMargineLinea)) return fuori(p);
      const int64_t v = arrotonda(p / 50.0);
      if (v > 0) {
        do scrivi_pendenza(m, cursore_pendenza, pendenza_attuale);
        while (cursore_pendenza < v);
      }
      pendenza_attuale = g;
    }
    if (contiene_nocase(riga, "curva") && m.scrivi_linea != 0) {
      const int32_t s = st.numero();
      const int32_t l = st.numero();
      if (fuori_griglia(m, s, kMargineLinea)) return fuori(s);
      int classe = 0;
      for (int d = 1; d <= 6 && classe == 0; ++d)
        if (contiene(riga, std::to_string(d))) classe = d;
      if (classe == 0) return ferma(errori::kCurvaNonValida);
      double curvatura = curvatura_di_classe(classe);
      if (contiene_nocase(riga, "s")) curvatura = -curvatura;
      if (!geometria.rettilineo_fino_a(s) ||
          !geometria.curva_fino_a(int64_t{s} + l, curvatura))
        return ferma(errori::kCurvaNonValida);
    }
    if (contiene_nocase(riga, "montagna")) {
      const int32_t inizio = st.numero();
      const int32_t fine = st.numero();
      const int32_t tipo = st.numero();
      if (fuori_griglia(m, inizio, kMargineLinea)) return fuori(inizio);
      memo_montagna(m, inizio, fine, tipo);
    }
    if (contiene_nocase(riga, "indicatori_v")) {
      int32_t v[9];
      for (int32_t& x : v) x = st.numero();
      if (fuori_griglia(m, v[0], kMargineLinea)) return fuori(v[0]);
      memo_indicatori_v_max(m, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
      if (m.codice_errore > 0) {
        st.registra(m.codice_errore);
        st.chiudi_ed_elimina();
        return Esito::fine;
      }
    }
    if (contiene_nocase(riga, "cartello") && contiene_nocase(riga, "indicat")) {
      const int32_t p = st.numero();
      st.leggi_riga();
      if (fuori_griglia(m, p, kMargineLinea)) return fuori(p);
      Cella& c = cella(m, arrotonda(p / 50.0 + 1));
      if (!c.libera()) return ferma(errori::kCartelloOccupato);
      c.tipo = 14;
      c.valore_1 = in_16(st.indice_cartello);
      record(m, st.indice_cartello).testo = testo_record(m.riga);
      --st.indice_cartello;
    }
    return Esito::continua;
  }

  Esito leggi_sezioni() {
    for (;;) {
      if (st.fine_file()) return Esito::chiusura;
      st.leggi_riga();
      if (st.fine_file()) return Esito::chiusura;
      for (int i = 0; i < 2; ++i) {
        if (contiene(m.riga, "-")) {
          st.leggi_riga();
          if (st.fine_file()) return Esito::chiusura;
        }
      }
      const Esito e = riga_dati(std::string(m.riga));
      if (e != Esito::continua) return e;
    }
  }

  void chiusura() {
    st.chiudi_ed_elimina();
    do scrivi_pendenza(m, cursore_pendenza, pendenza_attuale);
    while (cursore_pendenza < int64_t{m.ultima_cella} - 2);
    if (m.scrivi_linea != 0) geometria.completa(m.lunghezza_totale);
  }
};

}  // namespace

bool compila_linea(StatoCompilazione& st) {
  Modello& m = st.m;
  m.dati_sim[85].testo = testo_record(m.nome_percorso);
  m.dati_sim[86].testo = testo_record(m.nome_treno);

  std::error_code ec;
  if (!std::filesystem::exists(st.sorgenti.linea, ec)) {
    st.diagnostica.file = FileSorgente::linea;
    st.registra(errori::kLineaMancante);
    return false;
  }
  st.apri(FileSorgente::linea);

  for (;;) {
    st.leggi_riga();
    if (st.fine_file()) {
      st.registra(errori::kSenzaGenerale);
      st.chiudi_ed_elimina();
      return false;
    }
    if (contiene_nocase(m.riga, "[generale]")) break;
  }
  if (!sezione_generale(st)) return false;

  progressive_ordina(m);
  m.numero_montagne = 0;
  st.indice_cartello = 80;
  SezioniDati dati(st);
  if (m.scrivi_linea != 0) dati.geometria.avvia();
  if (dati.leggi_sezioni() == Esito::fine) return false;
  dati.chiusura();
  return true;
}

}  // namespace scen
