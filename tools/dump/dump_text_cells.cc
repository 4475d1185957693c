// The cell grid as text: its size, the markers of cell 1, every object cell
// with its values named, the profiles as runs and the approach marks.
#include <ostream>

#include "util/cp1252.h"
#include "tools/dump/dump_cells.h"
#include "tools/dump/dump_records.h"
#include "tools/dump/dump_text.h"
#include "tools/dump/text_format.h"

namespace scenc::dump {

namespace {

std::string testo_campi(const std::vector<CampoNominato>& campi) {
  std::string s;
  for (size_t i = 0; i < campi.size(); ++i) {
    if (!s.empty()) s += ", ";
    const CampoNominato& c = campi[i];
    if (c.coppia_con_successivo && i + 1 < campi.size()) {
      const CampoNominato& d = campi[++i];
      s += c.nome + "/" + d.nome + " " + std::to_string(c.valore) + "/" + std::to_string(d.valore);
    } else {
      s += c.nome + " " + std::to_string(c.valore);
    }
    // A unit once, after the last of a run of fields that share it.
    if (!c.unita.empty() && (i + 1 >= campi.size() || campi[i + 1].unita != c.unita)) s += " " + c.unita;
  }
  return s;
}

std::string testo_record(const RecordCollegati& collegati, int64_t numero) {
  if (!collegati.dati_sim || numero < 0 || numero >= scen::kNumeroRecord) return "";
  return " " + tra_virgolette(scen::da_cp1252((*collegati.dati_sim)[static_cast<size_t>(numero)].testo));
}

void intestazione(std::ostream& out, const std::vector<scen::Cella>& celle, const RecordCollegati& collegati) {
  const size_t n = celle.size();
  if (n == 0) {
    out << "cell grid: no cells\n";
    return;
  }
  const int64_t ultima = static_cast<int64_t>(n) - 1;
  out << formatta("cell grid: %zu cells (0 .. %lld), 50 m each, up to %lld m\n", n, static_cast<long long>(ultima),
                  static_cast<long long>((ultima + 1) * kMetriCella));
  // The last cell is round((L + 7000) / 50).
  out << formatta("line length: %lld m, to within 25 m (the last cell is round((length + 7000) / 50))\n",
                  static_cast<long long>(ultima * kMetriCella - 7000));
  if (n <= scen::kCellaRiservata) return;
  const scen::Cella& c1 = celle[scen::kCellaRiservata];
  out << formatta("cell 1: format marker %d (%s), check code %d", c1.valore_1,
                  c1.valore_1 == scen::kMarcatoreDat ? "correct" : "expected 5121", c1.valore_2);
  if (collegati.dati_sim) {
    const int16_t atteso = codici_attesi(*collegati.dati_sim).cella_1;
    if (atteso == c1.valore_2)
      out << " (matches the names in " << collegati.file << ")";
    else
      out << formatta(" (the names in %s give %d)", collegati.file.c_str(), atteso);
  }
  out << "\n";
}

void oggetti(std::ostream& out, const std::vector<scen::Cella>& celle, const RecordCollegati& collegati,
             const AvvisiGriglia& marche) {
  const std::vector<size_t> occupate = celle_occupate(celle);
  out << "\nobject cells: " << occupate.size()
      << " (metre: where the cell begins, cell x 50; at: the position of the source line that placed the object)\n";
  out << formatta("%6s %7s %7s  %-23s %8s %8s %8s %8s  %s\n", "cell", "metre", "at", "kind", "valore_1", "valore_2",
                  "valore_3", "valore_4", "meaning");
  const std::string rientro(6 + 1 + 7 + 1 + 7 + 2 + 23 + 4 * 9 + 2, ' ');
  for (const size_t i : occupate) {
    const scen::Cella& c = celle[i];
    const auto at = posizione_oggetto(i, c.tipo);
    std::string tipo = nome_tipo_cella(c.tipo);
    std::string significato = testo_campi(campi_cella(c));
    if (rimanda_a_un_record(c)) significato += testo_record(collegati, c.valore_1);
    if (i == scen::kCellaRiservata && scen::TipoCella{c.tipo} == scen::TipoCella::nessuno) tipo = "marker and check code";
    std::string riga = formatta("%6zu %7lld %7s  %-23s %8d %8d %8d %8d  %s", i, static_cast<long long>(i) * kMetriCella,
                                at ? std::to_string(*at).c_str() : "", tipo.c_str(), c.valore_1, c.valore_2,
                                c.valore_3, c.valore_4, significato.c_str());
    riga.erase(riga.find_last_not_of(' ') + 1);
    out << riga << "\n";
    const auto m = marche.per_oggetto.find(i);
    if (m != marche.per_oggetto.end()) {
      std::string celle_marche, valori;
      for (const MarcaAvviso& a : m->second) {
        celle_marche += " " + std::to_string(a.cella);
        valori += " " + std::to_string(a.valore);
      }
      out << rientro << "approach marks in cells" << celle_marche << ":" << valori << "\n";
    }
  }
}

void profilo(std::ostream& out, const std::vector<scen::Cella>& celle, uint8_t scen::Cella::*campo,
             const char* titolo, std::string (*valore)(int)) {
  const std::vector<Tratto> t = tratti(celle, campo);
  out << "\n" << titolo << ", " << t.size() << (t.size() == 1 ? " run:\n" : " runs:\n");
  for (const Tratto& r : t)
    out << formatta("  cells %5zu .. %5zu  %8lld .. %8lld m  %s\n", r.da, r.a,
                    static_cast<long long>(r.da) * kMetriCella, static_cast<long long>(r.a + 1) * kMetriCella,
                    valore(r.valore).c_str());
}

std::string velocita(int v) { return v == 0 ? "0 (not set)" : std::to_string(v * 5) + " km/h"; }
std::string pendenza(int v) { return v == 0 ? "0 (not set)" : std::to_string(v - 100) + " per mille"; }
std::string aderenza(int v) { return v == 0 ? "0 (not set)" : std::to_string(v); }
std::string montagna(int v) { return v == 0 ? "0 (none)" : std::to_string(v); }

void senza_oggetto(std::ostream& out, const AvvisiGriglia& marche) {
  out << formatta("\napproach marks (preavviso): %zu cells, listed above under the signal (cell + 2k) or "
                  "station stop mark (cell + k) they announce, k being the last digit; a signal's marks "
                  "overwrite a station's\n",
                  marche.totale);
  if (marche.senza_oggetto.empty()) return;
  out << "  with no signal or stop mark where they point:";
  for (const MarcaAvviso& a : marche.senza_oggetto) out << " " << a.cella << ":" << a.valore;
  out << "\n";
}

}  // namespace

void testo_celle(std::ostream& out, const std::vector<scen::Cella>& celle, const RecordCollegati& collegati) {
  intestazione(out, celle, collegati);
  if (celle.empty()) return;
  const AvvisiGriglia marche = avvisi(celle);
  oggetti(out, celle, collegati, marche);
  senza_oggetto(out, marche);
  profilo(out, celle, &scen::Cella::vel_limite, "speed limit (vel_limite x 5 km/h)", velocita);
  profilo(out, celle, &scen::Cella::pendenza, "gradient (pendenza - 100, per mille)", pendenza);
  profilo(out, celle, &scen::Cella::aderenza, "adhesion (aderenza)", aderenza);
  profilo(out, celle, &scen::Cella::montagna, "mountain background (montagna)", montagna);
}

}  // namespace scenc::dump
