// The track plan as text: its rows and slot types, the first rows, the last
// computed row, the shape of the track, and any rows asked for in full.
#include <algorithm>
#include <ostream>

#include "tools/dump/dump_text.h"
#include "tools/dump/dump_track_plan.h"
#include "tools/dump/text_format.h"

namespace scenc::dump {

namespace {

constexpr size_t kPrimeRighe = 5;
constexpr size_t kTrattiMostrati = 12;

std::string slot(const scen::ColonnaLinea& c, size_t r) {
  switch (c.tipo[r]) {
    case scen::TipoSlot::vuoto: return "empty";
    case scen::TipoSlot::intero: return formatta("int16  %.17g", c.valore[r]);
    case scen::TipoSlot::reale: return formatta("double %.17g", c.valore[r]);
  }
  return "?";
}

void righe(std::ostream& out, const scen::TabellaLinea& t, size_t da, size_t a) {
  out << formatta("  %9s  %-32s  %s\n", "row", "x", "y");
  for (size_t r = da; r <= a; ++r)
    out << formatta("  %9zu  %-32s  %s\n", r, slot(t.x, r).c_str(), slot(t.y, r).c_str());
}

std::string testo_tratti(const std::vector<TrattoSlot>& tratti) {
  std::string s;
  for (size_t i = 0; i < tratti.size() && i < kTrattiMostrati; ++i) {
    if (i > 0) s += ", ";
    const TrattoSlot& r = tratti[i];
    s += r.da == r.a ? formatta("row %zu %s", r.da, nome_slot(r.tipo))
                     : formatta("rows %zu .. %zu %s", r.da, r.a, nome_slot(r.tipo));
  }
  if (tratti.size() > kTrattiMostrati) s += formatta(", ... %zu runs more", tratti.size() - kTrattiMostrati);
  return s;
}

bool stessi_tratti(const std::vector<TrattoSlot>& a, const std::vector<TrattoSlot>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TrattoSlot& p, const TrattoSlot& q) {
    return p.da == q.da && p.a == q.a && p.tipo == q.tipo;
  });
}

}  // namespace

void testo_tabella_linea(std::ostream& out, const scen::TabellaLinea& t, const std::optional<IntervalloRighe>& chieste) {
  const SintesiLinea s = sintesi_linea(t);
  if (s.righe == 0) {
    out << "track plan: no rows\n";
    return;
  }
  out << formatta("track plan: %zu rows (0 .. %zu), one per metre, for a line of %lld m (the plan runs 7000 m "
                  "beyond it); columns x and y in metres\n",
                  s.righe, s.righe - 1, static_cast<long long>(s.righe) - 1 - 7000);
  const auto tx = tratti_slot(t.x);
  const auto ty = tratti_slot(t.y);
  if (stessi_tratti(tx, ty)) {
    out << "slots of x and y: " << testo_tratti(tx) << "\n";
  } else {
    out << "slots of x: " << testo_tratti(tx) << "\n";
    out << "slots of y: " << testo_tratti(ty) << "\n";
  }

  out << "\nfirst rows:\n";
  righe(out, t, 0, std::min(s.righe, kPrimeRighe) - 1);
  if (s.ultima_calcolata) {
    out << "last computed row:\n";
    righe(out, t, *s.ultima_calcolata, *s.ultima_calcolata);
  }
  out << "empty rows at the end: " << s.vuote_in_fondo;
  if (s.vuote_in_fondo > 0) out << formatta(" (%zu .. %zu)", s.righe - s.vuote_in_fondo, s.righe - 1);
  out << "\n";

  out << "\nsummary:\n";
  if (s.righe_con_valore == 0) {
    out << "  no row holds both coordinates\n";
  } else {
    out << formatta("  track length %s m (the steps between consecutive rows, %zu rows with both coordinates)\n",
                    breve(s.lunghezza).c_str(), s.righe_con_valore);
    out << formatta("  bounding box x %s .. %s, y %s .. %s\n", breve(s.x_min).c_str(), breve(s.x_max).c_str(),
                    breve(s.y_min).c_str(), breve(s.y_max).c_str());
    out << formatta("  end point (%s, %s) at row %zu", breve(s.x_finale).c_str(), breve(s.y_finale).c_str(),
                    *s.riga_finale);
    if (s.direzione_gradi)
      out << formatta(", final heading %.6f degrees (0 = +y, the start direction; positive towards +x)",
                      *s.direzione_gradi);
    out << "\n";
  }

  if (chieste) {
    const size_t a = std::min(chieste->a, s.righe - 1);
    out << formatta("\nrows %zu .. %zu", chieste->da, a);
    if (a < chieste->a) out << formatta(" (the plan ends at row %zu)", s.righe - 1);
    out << ":\n";
    righe(out, t, chieste->da, a);
  }
}

}  // namespace scenc::dump
