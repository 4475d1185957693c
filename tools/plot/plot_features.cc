#include "tools/plot/plot_features.h"

#include <algorithm>
#include <set>

#include "compiler/code_point_origin.h"
#include "format/cell_kinds.h"
#include "format/records.h"
#include "util/cp1252.h"
#include "tools/plot/plot_text.h"

namespace scenc::plot {

namespace {

using scen::kMetriCella;
using scen::TipoCella;
constexpr int32_t kCoda = 7000;  // the grid runs this far past the end of the line

int32_t lunghezza_linea(const std::vector<scen::Cella>& celle, const scen::RecordSim& generali) {
  const int64_t griglia = static_cast<int64_t>(celle.size()) * kMetriCella;
  if (generali.fine > 0 && generali.fine <= griglia) return generali.fine;
  const int64_t dalla_griglia = griglia - kMetriCella - kCoda;
  return static_cast<int32_t>(dalla_griglia > 0 ? dalla_griglia : griglia);
}

template <typename Valore>
std::vector<Tratto> tratti(const std::vector<scen::Cella>& celle, int32_t lunghezza, Valore valore) {
  std::vector<Tratto> out;
  for (size_t i = 0; i < celle.size(); ++i) {
    const int32_t inizio = static_cast<int32_t>(i) * kMetriCella;
    if (inizio >= lunghezza) break;
    const int32_t fine = std::min(inizio + kMetriCella, lunghezza);
    const int v = valore(celle[i]);
    if (!out.empty() && out.back().valore == v)
      out.back().fine = fine;
    else
      out.push_back({inizio, fine, v});
  }
  return out;
}

// Speeds packed as side s in the hundreds and side d in the units, in
// steps of 5 km/h.
std::string velocita_indicatore(const scen::Cella& c) {
  const int v[3] = {c.valore_1, c.valore_2, c.valore_3};
  std::string s, d;
  for (int k = 0; k < 3; ++k) {
    if (k > 0) {
      s += '/';
      d += '/';
    }
    s += std::to_string(v[k] / 100 * 5);
    d += std::to_string(v[k] % 100 * 5);
  }
  return s == d ? s : s + " | " + d;
}

bool vuoto(const scen::RecordSim& r) { return r == scen::RecordSim{}; }

}  // namespace

ElementiLinea estrai_elementi(const std::vector<scen::Cella>& celle,
                              const std::array<scen::RecordSim, scen::kNumeroRecord>& dati_sim) {
  ElementiLinea e;
  e.lunghezza = lunghezza_linea(celle, dati_sim[scen::kRecordTrenoLinea]);
  e.velocita = tratti(celle, e.lunghezza, [](const scen::Cella& c) { return c.vel_limite * 5; });
  e.pendenza = tratti(celle, e.lunghezza, [](const scen::Cella& c) { return c.pendenza - 100; });

  std::set<int> record_cartelli;
  const scen::OriginiCodici origini(celle);
  for (size_t i = 0; i < celle.size(); ++i) {
    const scen::Cella& c = celle[i];
    const scen::DescrizioneCella* tipo = scen::tipo_cella(c.tipo);
    const bool nella_sua_cella = tipo && tipo->posa == scen::PosaCella::nella;
    const int32_t p = std::max(0, static_cast<int32_t>(i) - (nella_sua_cella ? 0 : 1)) * kMetriCella;
    if (p > e.lunghezza) break;
    switch (TipoCella{c.tipo}) {
      case TipoCella::segnale: {
        const int lati = c.valore_4 % 10;  // sx * 3 + dx
        e.segnali.push_back({p, lati / 3, lati % 3});
        break;
      }
      case TipoCella::fine_rallentamento: e.rallentamenti.push_back({p, PuntoRallentamento::fine, c.valore_1}); break;
      case TipoCella::inizio_rallentamento:
        e.rallentamenti.push_back({p, PuntoRallentamento::inizio, c.valore_1});
        break;
      case TipoCella::avviso_rallentamento:
        e.rallentamenti.push_back({p, PuntoRallentamento::avviso, c.valore_1});
        break;
      case TipoCella::indicatore_vmax: e.indicatori.push_back({p, velocita_indicatore(c)}); break;
      case TipoCella::abbattimento:
        e.abbattimenti.push_back(
            {p, std::to_string(c.valore_1), origini.origine(i) == scen::OrigineCodice::incerto});
        break;
      case TipoCella::abbattimento_senza_codice: e.abbattimenti.push_back({p, "no code", false}); break;
      case TipoCella::cartello: {
        const int r = c.valore_1;
        std::string scritta = "(record " + std::to_string(r) + " missing)";
        if (r > 0 && r < scen::kNumeroRecord) {
          scritta = scritta_su_una_riga(scen::da_cp1252(dati_sim[static_cast<size_t>(r)].testo));
          record_cartelli.insert(r);
        }
        e.cartelli.push_back({p, scritta});
        break;
      }
      default: break;
    }
  }

  // Each start with the first end after it.
  for (size_t k = 0; k < e.rallentamenti.size(); ++k) {
    const Rallentamento& r = e.rallentamenti[k];
    if (r.punto != PuntoRallentamento::inizio) continue;
    int32_t fine = e.lunghezza;
    for (size_t j = k + 1; j < e.rallentamenti.size(); ++j)
      if (e.rallentamenti[j].punto == PuntoRallentamento::fine) {
        fine = e.rallentamenti[j].posizione;
        break;
      }
    e.tratti_rallentamento.push_back({r.posizione, fine, r.velocita});
  }

  // Stations fill the records from 1 upwards, boards from 80 downwards.
  for (int r = scen::kRecordPrimaStazione; r <= scen::kRecordPrimoCartello; ++r) {
    const scen::RecordSim& s = dati_sim[static_cast<size_t>(r)];
    if (record_cartelli.contains(r) || vuoto(s)) break;
    e.stazioni.push_back({s.posizione, scen::da_cp1252(s.testo), s.inizio, s.fine, s.sosta, s.orario});
  }
  return e;
}

}  // namespace scenc::plot
