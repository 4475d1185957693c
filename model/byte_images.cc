#include "model/byte_images.h"

#include <limits>

namespace scen {

void immagine_celle(const std::vector<Cella>& celle, ByteSink& out) {
  for (const Cella& c : celle) {
    out.u8(c.tipo);
    out.i16(c.valore_1);
    out.i16(c.valore_2);
    out.i16(c.valore_3);
    out.i16(c.valore_4);
    out.u8(c.tempo);
    out.u8(c.preavviso);
    out.u8(c.montagna);
    out.u8(c.vel_limite);
    out.u8(c.pendenza);
    out.u8(c.aderenza);
  }
  out.flush();
}

void immagine_dati_sim(const std::array<RecordSim, kNumeroRecord>& dati_sim, ByteSink& out) {
  for (const RecordSim& r : dati_sim) {
    if (r.testo.size() > std::numeric_limits<uint16_t>::max())
      throw TestoTroppoLungo("record text longer than 65535 bytes");
    out.u8(r.tipo);
    out.i32(r.inizio);
    out.i32(r.fine);
    out.i32(r.posizione);
    out.u8(r.opzione_1);
    out.u16(static_cast<uint16_t>(r.testo.size()));
    out.bytes(r.testo);
    out.i16(r.parametro_1);
    out.i16(r.parametro_2);
    out.i16(r.parametro_4);
    out.i16(r.parametro_5);
    out.i16(r.parametro_6);
    out.u8(r.parametro_3);
    out.u8(r.sosta);
    out.u8(r.opzione_3);
    out.u8(r.opzione_2);
    out.i32(r.orario);
  }
  out.flush();
}

namespace {

void immagine_colonna(const ColonnaLinea& col, ByteSink& out) {
  for (size_t r = 0; r < col.tipo.size(); ++r) {
    out.u16(static_cast<uint16_t>(col.tipo[r]));
    switch (col.tipo[r]) {
      case TipoSlot::vuoto:
        break;
      case TipoSlot::intero:
        out.i16(static_cast<int16_t>(col.valore[r]));
        break;
      case TipoSlot::reale:
        out.f64(col.valore[r]);
        break;
    }
  }
}

}  // namespace

void immagine_tabella_linea(const TabellaLinea& tabella, ByteSink& out) {
  immagine_colonna(tabella.x, out);
  immagine_colonna(tabella.y, out);
  out.flush();
}

std::string immagine_celle(const std::vector<Cella>& celle) {
  ByteSink out;
  immagine_celle(celle, out);
  return std::string(out.collected());
}

std::string immagine_dati_sim(const std::array<RecordSim, kNumeroRecord>& dati_sim) {
  ByteSink out;
  immagine_dati_sim(dati_sim, out);
  return std::string(out.collected());
}

std::string immagine_tabella_linea(const TabellaLinea& tabella) {
  ByteSink out;
  immagine_tabella_linea(tabella, out);
  return std::string(out.collected());
}

}  // namespace scen
