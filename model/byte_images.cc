#include "model/byte_images.h"

#include <algorithm>
#include <cstring>
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

// A slot: its 16-bit tag, then nothing, a 16-bit integer or a double.
unsigned char* slot(unsigned char* p, TipoSlot tipo, double valore) {
  p = store_le16(p, static_cast<uint16_t>(tipo));
  switch (tipo) {
    case TipoSlot::vuoto:
      break;
    case TipoSlot::intero:
      p = store_le16(p, static_cast<uint16_t>(static_cast<int16_t>(valore)));
      break;
    case TipoSlot::reale: {
      uint64_t u;
      std::memcpy(&u, &valore, sizeof u);
      p = store_le64(p, u);
      break;
    }
  }
  return p;
}

}  // namespace

// A column runs to a million slots: they go into the sink a block of rows
// at a time, each block with room for its rows at the largest slot size.
void immagine_righe(const ColonnaLinea& col, size_t da, size_t a, ByteSink& out) {
  constexpr size_t kRighePerBlocco = 4096;
  for (size_t inizio = da; inizio < a; inizio += kRighePerBlocco) {
    const size_t fine = std::min(a, inizio + kRighePerBlocco);
    unsigned char* p = out.room_for((fine - inizio) * kByteSlotMassimo);
    for (size_t r = inizio; r < fine; ++r) p = slot(p, col.tipo[r], col.valore[r]);
    out.commit(p);
  }
}

void immagine_tabella_linea(const TabellaLinea& tabella, ByteSink& out) {
  immagine_righe(tabella.x, 0, tabella.righe(), out);
  immagine_righe(tabella.y, 0, tabella.righe(), out);
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
