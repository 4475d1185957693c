#include "tools/plot/plot_profile.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "tools/plot/plot_axis.h"
#include "tools/plot/plot_charts.h"
#include "tools/plot/plot_lanes.h"
#include "tools/plot/plot_legend.h"
#include "tools/plot/plot_signal_marks.h"
#include "tools/plot/plot_line_axis.h"
#include "tools/plot/plot_text.h"

namespace scenc::plot {

namespace {

// Across: the gutter for titles and the charts' values, then the line.
constexpr double kGronda = 175;
constexpr double kMargineDestro = 40;
// Down: heights of the bands, top to bottom.
constexpr double kTestata = 62;
constexpr double kNomi = 200;          // station names, reading upwards
constexpr double kRichiami = 16;       // from a name down to its station
constexpr double kAsseProgressiva = 30;
constexpr double kVelocita = 300;
constexpr double kPendenza = 130;
constexpr double kSpazio = 22;
constexpr double kLegenda = 78;        // from the position axis to the legend

constexpr double kDistanzaTacche = 80;  // between labelled ticks
constexpr double kPassoNomi = 16;       // between two station names

// Cuts a UTF-8 text to `larghezza` with an ellipsis.
std::string accorciato(const Tela& tela, std::string testo, double corpo, double larghezza) {
  if (tela.larghezza(testo, corpo) <= larghezza) return testo;
  while (!testo.empty() && tela.larghezza(testo + "\u2026", corpo) > larghezza) {
    testo.pop_back();
    while (!testo.empty() && (static_cast<unsigned char>(testo.back()) & 0xC0) == 0x80) testo.pop_back();
    if (!testo.empty() && static_cast<unsigned char>(testo.back()) >= 0xC0) testo.pop_back();
  }
  return testo + "\u2026";
}

std::vector<Segno> segni(const std::vector<Oggetto>& oggetti, Marcatore m, Colore c) {
  std::vector<Segno> out;
  for (const Oggetto& o : oggetti) out.push_back({static_cast<double>(o.posizione), m, c, o.etichetta});
  return out;
}

std::vector<Segno> segni_rallentamenti(const std::vector<Rallentamento>& rallentamenti) {
  std::vector<Segno> out;
  for (const Rallentamento& r : rallentamenti) {
    const double p = r.posizione;
    switch (r.punto) {
      case PuntoRallentamento::avviso: out.push_back({p, Marcatore::rombo, stile::kAvvisoRallentamento, ""}); break;
      case PuntoRallentamento::inizio:
        out.push_back({p, Marcatore::triangolo_giu, stile::kInizioRallentamento, std::to_string(r.velocita)});
        break;
      case PuntoRallentamento::fine: out.push_back({p, Marcatore::triangolo_su, stile::kFineRallentamento, ""}); break;
    }
  }
  return out;
}

// Ticks every round step with their kilometres below, a grid line up
// through the charts and lanes from `y_griglia`.
void asse_posizione(const Tela& tela, const AsseLinea& a, double y, double y_griglia, int64_t passo) {
  const int64_t passo_minore = passo_tondo(a.scala(), 6, 100);
  const auto da = static_cast<int64_t>(a.da), fino = static_cast<int64_t>(a.a);
  for (int64_t m = (da + passo_minore - 1) / passo_minore * passo_minore; m <= fino; m += passo_minore) {
    const bool grande = m % passo == 0;
    if (grande) tela.linea(a.x(m), y_griglia, a.x(m), y, stile::kGriglia, 1);
    tela.linea(a.x(m), y, a.x(m), y + (grande ? 8 : 4), stile::kTesto, 1);
    if (grande) tela.testo(km_tacca(m), a.x(m), y + 24, stile::kEtichetta, stile::kTesto, Allinea::centro);
  }
  tela.linea(a.x0, y, a.x1, y, stile::kTesto, 1.2);
  tela.testo("position along the line (thousands of metres)", (a.x0 + a.x1) / 2, y + 46, stile::kEtichetta, stile::kTesto,
             Allinea::centro, true);
}

// The progressive's round kilometres, above the charts.
void asse_progressiva(const Tela& tela, const AsseLinea& a, double y, const Progressiva& p, int64_t passo) {
  for (const auto& m : p.marche(static_cast<int64_t>(a.da), static_cast<int64_t>(a.a), passo)) {
    const double x = a.x(static_cast<double>(m.posizione));
    tela.linea(x, y, x, y - 6, stile::kTestoTenue, 1);
    tela.testo_su_fondo(km_tacca(m.progressiva), x, y - 10, stile::kEtichettaPiccola, stile::kTestoTenue,
                        Allinea::centro);
  }
}

std::string ora(int32_t secondi) {
  const auto due = [](int32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  return due(secondi / 3600) + ":" + due(secondi / 60 % 60) + ":" + due(secondi % 60);
}

// A station's scheduled time and stop, as the viewer writes them: both,
// or either alone where both do not fit.
std::vector<std::string> orari(const Stazione& s) {
  const std::string t = s.orario > 0 ? ora(s.orario) : "";
  const std::string f = s.sosta > 0 ? "stop " + std::to_string(s.sosta) + " s" : "";
  if (t.empty() || f.empty()) return t.empty() && f.empty() ? std::vector<std::string>{} : std::vector{t + f};
  return {t + " \u00b7 " + f, t, f};
}

// Names reading upwards with their feet at `piedi`, each followed by its
// time and stop, spread so that none covers another and joined to a dashed
// line from `y_linea` to `y_fine`; the zones as bands at `y_zone`. Where
// more names stand than the width holds, names are kept evenly along the
// line, the first and the last always; the others' lines stay.
int stazioni(const Tela& tela, const AsseLinea& a, const std::vector<Stazione>& st, double piedi, double y_linea,
             double y_fine, double y_zone) {
  std::vector<size_t> ordine(st.size());
  std::iota(ordine.begin(), ordine.end(), size_t{0});
  std::stable_sort(ordine.begin(), ordine.end(),
                   [&](size_t p, size_t q) { return st[p].posizione < st[q].posizione; });
  for (size_t i : ordine) {
    const Stazione& s = st[i];
    if (s.a <= s.da) continue;
    const double xa = a.x(std::max<double>(s.da, a.da)), xb = a.x(std::min<double>(s.a, a.a));
    if (xb > xa) tela.riempi({xa, y_zone, std::max(xb - xa, 1.5), 6}, stile::kZonaStazione);
  }
  const auto posti = static_cast<size_t>(std::max(1.0, std::floor((a.x1 - a.x0) / kPassoNomi)));
  std::vector<size_t> con_nome;
  if (ordine.size() <= posti || posti < 2) {
    con_nome = ordine;
  } else {
    for (size_t j = 0; j < posti; ++j) con_nome.push_back(ordine[(j * (ordine.size() - 1) + (posti - 1) / 2) / (posti - 1)]);
  }
  std::vector<double> ancore;
  for (size_t i : con_nome) ancore.push_back(a.x(st[i].posizione));
  const std::vector<double> centri = distribuisci(ancore, kPassoNomi, a.x0, a.x1);
  for (size_t i : ordine) tela.tratteggio(a.x(st[i].posizione), y_linea, a.x(st[i].posizione), y_fine, stile::kStazione, 0.9, 5, 4);
  for (size_t k = 0; k < con_nome.size(); ++k) {
    const Stazione& s = st[con_nome[k]];
    tela.linea(centri[k], piedi + 2, ancore[k], y_linea, stile::kStazione, 0.8);
    // The name, then its time and stop in small type as far as they fit.
    const std::string nome = accorciato(tela, s.nome, stile::kEtichetta, kNomi - 6);
    tela.testo_verticale(nome, centri[k], piedi, stile::kEtichetta, stile::kTesto);
    const double w_nome = tela.larghezza(nome, stile::kEtichetta) + 8;
    for (const std::string& coda : orari(s)) {
      if (w_nome + tela.larghezza(coda, stile::kEtichettaPiccola) > kNomi - 6) continue;
      tela.testo_verticale(coda, centri[k], piedi - w_nome, stile::kEtichettaPiccola, stile::kTestoTenue);
      break;
    }
  }
  return static_cast<int>(ordine.size() - con_nome.size());
}

}  // namespace

void disegna_profilo(const Tela& tela, const Rettangolo& pannello, const ElementiLinea& e,
                     const Progressiva& progressiva, const Estensione& tratto) {
  const double xt = pannello.x + 16;  // titles
  tela.rettangolo(pannello, stile::kCornice, 1);
  tela.testo("Profile along the line", xt, pannello.y + 30, stile::kTitoloPannello, stile::kTesto,
             Allinea::sinistra, true);
  const bool intera = tratto.da == 0 && tratto.a == e.lunghezza;
  tela.testo("line " + numero_testo(e.lunghezza / 1000.0, 3) + " km long" +
                 (intera ? "" : "; drawn from " + numero_testo(tratto.da, 0) + " m to " + numero_testo(tratto.a, 0) + " m") +
                 "; speed limits and objects from the cell grid",
             xt, pannello.y + 52, stile::kEtichettaPiccola, stile::kTestoTenue);
  if (tratto.a <= tratto.da) return;

  const AsseLinea a{pannello.x + kGronda, pannello.destra() - kMargineDestro, static_cast<double>(tratto.da),
                    static_cast<double>(tratto.a)};
  const double piedi_nomi = pannello.y + kTestata + kNomi;
  const double y_progressiva = piedi_nomi + kRichiami + kAsseProgressiva;
  const double y_velocita = y_progressiva;
  const double y_pendenza = y_velocita + kVelocita + kSpazio;
  const Corsia segnali{y_pendenza + kPendenza + kSpazio, 0};
  const Corsia indicatori{segnali.y + segnali.altezza(), 4};
  const Corsia cartelli{indicatori.y + indicatori.altezza(), 10};
  const Corsia rallentamenti{cartelli.y + cartelli.altezza(), 2};
  const Corsia abbattimenti{rallentamenti.y + rallentamenti.altezza(), 2};
  const double y_asse = abbattimenti.y + abbattimenti.altezza();

  const int64_t passo = passo_tondo(a.scala(), kDistanzaTacche, 100);
  asse_posizione(tela, a, y_asse, y_velocita, passo);
  if (progressiva.presente()) {
    tela.titolo("Km progressive", "", xt, y_progressiva - 12);
    asse_progressiva(tela, a, y_progressiva, progressiva, passo);
  }
  const double y_linea = y_velocita - (progressiva.presente() ? kAsseProgressiva - 2 : 0);
  const int senza_nome = stazioni(tela, a, e.stazioni, piedi_nomi, y_linea, y_asse, y_linea - 8);
  tela.titolo("Stations \u00b7 " + std::to_string(e.stazioni.size()),
              senza_nome == 0 ? "" : std::to_string(senza_nome) + " names left out", xt, piedi_nomi - 4);

  tela.titolo("Speed limit", "km/h", xt, y_velocita + 18);
  grafico_velocita(tela, a, y_velocita, y_velocita + kVelocita, e);
  tela.titolo("Gradient", "\u2030, below 0 falling", xt, y_pendenza + 18);
  grafico_pendenza(tela, a, y_pendenza, y_pendenza + kPendenza, e);

  const std::vector<MarcaSegnale> marche = marche_segnali(e.segnali);
  std::vector<Segno> di_segnali;
  for (const Segnale& s : e.segnali) {
    const MarcaSegnale& m = marca_di(marche, s);
    di_segnali.push_back({static_cast<double>(s.posizione), m.marcatore, m.colore, ""});
  }
  disegna_corsia(tela, a, segnali, xt, "Signals", di_segnali);
  disegna_corsia(tela, a, indicatori, xt, "Speed boards",
                 segni(e.indicatori, Marcatore::quadrato, stile::kIndicatore));
  disegna_corsia(tela, a, cartelli, xt, "Text boards", segni(e.cartelli, Marcatore::quadrato, stile::kCartello));
  disegna_corsia(tela, a, rallentamenti, xt, "Slowdowns", segni_rallentamenti(e.rallentamenti));
  std::vector<Segno> di_codici;
  for (const Abbattimento& c : e.abbattimenti)
    di_codici.push_back({static_cast<double>(c.posizione), c.forse_automatico ? Marcatore::anello : Marcatore::croce,
                         stile::kAbbattimento, c.etichetta});
  disegna_corsia(tela, a, abbattimenti, xt, "Code points", di_codici);
  tela.linea(xt, y_asse, a.x1, y_asse, stile::kGriglia, 1);

  legenda_profilo(tela, a.x0, a.x1, y_asse + kLegenda, marche);
}

}  // namespace scenc::plot
