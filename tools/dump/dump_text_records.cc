// The 87 general records as text: the stations as a table, the text boards,
// the progressives and the three records of general values; fields that a
// record's role does not explain are listed after it.
#include <algorithm>
#include <ostream>
#include <set>

#include "util/cp1252.h"
#include "tools/dump/dump_records.h"
#include "tools/dump/dump_text.h"
#include "model/kilometric_progressive.h"
#include "tools/dump/text_format.h"

namespace scenc::dump {

namespace {

using DatiSim = std::array<scen::RecordSim, scen::kNumeroRecord>;

std::string testo(const scen::RecordSim& r) { return tra_virgolette(scen::da_cp1252(r.testo)); }

// Fields set in the record that its role does not show.
void altri_campi(std::ostream& out, const scen::RecordSim& r, std::set<std::string> mostrati, bool testo_mostrato) {
  std::string s;
  for (const CampoNominato& c : campi_record(r))
    if (c.valore != 0 && !mostrati.contains(c.nome)) s += " " + c.nome + " " + std::to_string(c.valore);
  if (!testo_mostrato && !r.testo.empty()) s += " testo " + testo(r);
  if (!s.empty()) out << "             also set:" << s << "\n";
}

// The same for a single record: the fields format/records.h gives it are shown.
void altri_campi(std::ostream& out, const DatiSim& d, size_t indice) {
  const std::set<std::string> mostrati = campi_del_ruolo(indice);
  altri_campi(out, d[indice], mostrati, mostrati.contains("testo"));
}

void stazioni(std::ostream& out, const DatiSim& d, int da, int a) {
  out << formatta("stations: records %d .. %d (orario - : no time, 0)\n", da, a);
  out << formatta("  %4s %5s %9s %9s %9s %9s %6s  %-9s  %-17s  %s\n", "rec", "tipo", "posizione", "inizio", "fine",
                  "orario", "sosta", "opzione", "parametro", "name");
  out << formatta("  %4s %5s %9s %9s %9s %9s %6s  %-9s  %s\n", "", "", "", "", "", "", "", "1/2/3", "1/2/3/4/5/6");
  for (int i = da; i <= a; ++i) {
    const scen::RecordSim& r = d[i];
    const std::string opzioni = formatta("%d/%d/%d", r.opzione_1, r.opzione_2, r.opzione_3);
    const std::string parametri = formatta("%d/%d/%d/%d/%d/%d", r.parametro_1, r.parametro_2, r.parametro_3,
                                           r.parametro_4, r.parametro_5, r.parametro_6);
    out << formatta("  %4d %5d %9d %9d %9d %9s %6d  %-9s  %-17s  %s\n", i, r.tipo, r.posizione, r.inizio, r.fine,
                    r.orario == 0 ? "-" : ora(r.orario).c_str(), r.sosta, opzioni.c_str(), parametri.c_str(),
                    testo(r).c_str());
  }
}

void cartelli(std::ostream& out, const DatiSim& d, int da, int a) {
  out << (da == a ? formatta("text board: record %d\n", a) : formatta("text boards: records %d down to %d\n", a, da));
  for (int i = a; i >= da; --i) {
    out << formatta("  %4d  %s\n", i, testo(d[i]).c_str());
    altri_campi(out, d[i], {}, true);
  }
}

void progressiva(std::ostream& out, const DatiSim& d, size_t i) {
  const scen::RecordSim& r = d[i];
  out << formatta("record %zu  kilometric progressive: ", i);
  if (r.inizio == 0 && r.fine == 0 && r.posizione == 0)
    out << "unused (all 0)\n";
  else
    // The line's kilometres are those the line file writes: a flag of 1
    // stores the progressive 100 m higher.
    out << formatta("position %d m, progressive %d m, flag %d: %s at %d m%s\n", r.inizio, r.fine, r.posizione,
                    scen::testo_km(static_cast<double>(r.fine) - (r.posizione == 1 ? 100 : 0)).c_str(), r.inizio,
                    r.posizione == 1 ? " (the flag adds 100 m to the progressive stored)" : "");
  altri_campi(out, d, i);
}

void generali(std::ostream& out, const DatiSim& d) {
  const scen::RecordSim& r84 = d[scen::kRecordTrenoLinea];
  out << formatta("record 84  braked mass %d %%, line length %d m, coaches %d\n", r84.inizio, r84.fine,
                  r84.posizione);
  altri_campi(out, d, scen::kRecordTrenoLinea);

  const scen::RecordSim& r85 = d[scen::kRecordSfondoPercorso];
  const int32_t atteso = codici_attesi(d).record_85;
  out << formatta("record 85  background: sfondo uno %d, sfondo due %d, sfondo tre %d\n", r85.inizio, r85.posizione,
                  r85.fine);
  out << formatta("           route %s, format marker %d (%s), check code %d (%s)\n", testo(r85).c_str(),
                  r85.parametro_1, r85.parametro_1 == scen::kMarcatoreSim ? "correct" : "expected 610", r85.orario,
                  r85.orario == atteso ? "matches the names"
                                       : ("the names give " + std::to_string(atteso)).c_str());
  altri_campi(out, d, scen::kRecordSfondoPercorso);

  const scen::RecordSim& r86 = d[scen::kRecordRipetizioneTreno];
  out << "record 86  signal repetition: ";
  if (r86.fine == 0 && r86.inizio == 0 && r86.posizione == 0)
    out << "none";
  else
    out << formatta("%d .. %d m, %d codes", r86.inizio, r86.fine, r86.posizione);
  out << formatta("\n           train %s, sand %d, clock %02d:%02d:%02d\n", testo(r86).c_str(), r86.parametro_1,
                  r86.parametro_4, r86.parametro_5, r86.parametro_6);
  altri_campi(out, d, scen::kRecordRipetizioneTreno);
}

}  // namespace

void testo_dati_sim(std::ostream& out, const DatiSim& d) {
  size_t byte_testi = 0;
  for (const scen::RecordSim& r : d) byte_testi += r.testo.size();
  out << formatta("general records: %d (%zu bytes of fixed fields, %zu bytes of text)\n", scen::kNumeroRecord,
                  static_cast<size_t>(scen::kNumeroRecord) * 34, byte_testi);
  const auto ruoli = ruoli_record(d);
  // Records 0 .. 80 in runs of one role; stations and boards as tables.
  constexpr int kUltimoCondiviso = scen::kRecordPrimoCartello;
  int i = scen::kRecordVuoto;
  while (i <= kUltimoCondiviso) {
    int j = i;
    while (j + 1 <= kUltimoCondiviso && ruoli[j + 1] == ruoli[i]) ++j;
    switch (ruoli[i]) {
      case RuoloRecord::stazione: stazioni(out, d, i, j); break;
      case RuoloRecord::cartello: cartelli(out, d, i, j); break;
      default:
        for (int k = i; k <= j;) {
          // Runs of cleared records in one line; a record 0 that is not clear shows what it holds.
          int fine = k;
          while (fine + 1 <= j && record_vuoto(d[fine + 1]) == record_vuoto(d[k])) ++fine;
          if (record_vuoto(d[k]))
            out << (k == fine ? formatta("record %d  empty\n", k) : formatta("records %d .. %d  empty\n", k, fine));
          else
            for (int x = k; x <= fine; ++x) {
              out << formatta("record %d  not empty:\n", x);
              altri_campi(out, d[x], {}, false);
            }
          k = fine + 1;
        }
        break;
    }
    i = j + 1;
  }
  for (size_t k = scen::kRecordProgressivaTre; k <= scen::kRecordProgressivaUno; ++k) progressiva(out, d, k);
  generali(out, d);
}

}  // namespace scenc::dump
