// Colours and type sizes of the plot, in page units (one PNG pixel).
#pragma once

namespace scenc::plot {

struct Colore {
  double r, g, b;
};

namespace stile {

inline constexpr const char* kCarattere = "DejaVu Sans";

inline constexpr Colore kSfondo{1, 1, 1};
inline constexpr Colore kTesto{0.10, 0.10, 0.12};
inline constexpr Colore kTestoTenue{0.40, 0.40, 0.44};
inline constexpr Colore kCornice{0.75, 0.75, 0.78};
inline constexpr Colore kGriglia{0.90, 0.90, 0.92};

inline constexpr Colore kBinario{0.20, 0.22, 0.26};
inline constexpr Colore kStazione{0.35, 0.35, 0.40};
inline constexpr Colore kZonaStazione{0.78, 0.86, 0.95};
inline constexpr Colore kVelocita{0.05, 0.30, 0.70};
inline constexpr Colore kDiscesa{0.20, 0.55, 0.35};
inline constexpr Colore kSalita{0.75, 0.35, 0.15};
inline constexpr Colore kSegnale{0.80, 0.10, 0.10};
inline constexpr Colore kIndicatore{0.45, 0.20, 0.65};
inline constexpr Colore kCartello{0.00, 0.42, 0.45};
inline constexpr Colore kInizioRallentamento{0.85, 0.30, 0.00};
inline constexpr Colore kFineRallentamento{0.15, 0.60, 0.20};
inline constexpr Colore kAvvisoRallentamento{0.90, 0.65, 0.00};
inline constexpr Colore kAbbattimento{0.80, 0.00, 0.55};

inline constexpr double kTitolo = 28;
inline constexpr double kSottotitolo = 15;
inline constexpr double kTitoloPannello = 19;
inline constexpr double kEtichetta = 13;
inline constexpr double kEtichettaPiccola = 12;

}  // namespace stile

}  // namespace scenc::plot
