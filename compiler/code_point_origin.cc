#include "compiler/code_point_origin.h"

#include <cstdint>

#include "compiler/code_track.h"
#include "format/cell_kinds.h"

namespace scen {

namespace {

// The cells the rules of compiler/code_track.cc may put a point in,
// whatever else the grid holds: each rule's candidates, taken from the
// signals and slowdown cells that call for them.
class Portata {
 public:
  Portata(const std::vector<Cella>& c, std::vector<bool>& raggiunte)
      : c_(c), ultima_(static_cast<int64_t>(c.size()) - 1), raggiunte_(raggiunte) {}

  void esegui() {
    for (int64_t n = 1; n <= ultima_ - 2; ++n) {
      if (tipo(n) == TipoCella::avviso_rallentamento) avviso(n);
      if (tipo(n) == TipoCella::inizio_rallentamento) inizio(n);
    }
  }

 private:
  TipoCella tipo(int64_t i) const { return TipoCella{c_[static_cast<size_t>(i)].tipo}; }
  void raggiungi(int64_t i) {
    if (i >= 0 && i <= ultima_) raggiunte_[static_cast<size_t>(i)] = true;
  }

  // Just before each signal of the 20 cells behind a warning point.
  void avviso(int64_t n) {
    for (int64_t k = 1; k <= 20 && n - k >= 3; ++k)
      if (tipo(n - k) == TipoCella::segnale) {
        raggiungi(n - k - 1);
        raggiungi(n - k - 2);
      }
  }

  void inizio(int64_t n) {
    // The three windows before the start.
    static constexpr int kFinestre[3][3] = {{5, 6, 7}, {11, 12, 13}, {18, 19, 20}};
    for (const auto& f : kFinestre)
      if (n > f[2])
        for (int d : f) raggiungi(n - d);
    // The end: the first end cell after the start, or the grid's last.
    int64_t fine = n;
    bool trovata = false;
    for (int64_t i = n + 1; i <= ultima_; ++i)
      if (tipo(i) == TipoCella::fine_rallentamento) {
        fine = i;
        trovata = true;
        break;
      }
    const bool lento = c_[static_cast<size_t>(n)].valore_1 < 110;
    if (lento) {
      if (!trovata) fine = ultima_;
      // Along the slowdown, one cell either side of its every eighth.
      for (int64_t i = n; i <= fine + 1; ++i) raggiungi(i);
    }
    if (!lento && !trovata) return;
    // Before the first signal within 13 cells of the end.
    for (int64_t i = fine; i <= fine + 12 && i <= ultima_; ++i)
      if (tipo(i) == TipoCella::segnale) {
        if (i - 1 > 0) {
          raggiungi(i - 1);
          raggiungi(i - 2);
        }
        break;
      }
  }

  const std::vector<Cella>& c_;
  const int64_t ultima_;
  std::vector<bool>& raggiunte_;
};

}  // namespace

OriginiCodici::OriginiCodici(const std::vector<Cella>& celle) : celle_(celle), raggiunte_(celle.size(), false) {
  Portata(celle_, raggiunte_).esegui();
}

OrigineCodice OriginiCodici::origine(size_t i) const {
  if (i >= celle_.size()) return OrigineCodice::scritto;
  const Cella& c = celle_[i];
  if (TipoCella{c.tipo} != TipoCella::abbattimento || c.valore_1 != kCodiceAbbattimento || !raggiunte_[i])
    return OrigineCodice::scritto;
  return OrigineCodice::incerto;
}

}  // namespace scen
