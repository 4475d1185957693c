#include "model/image_reader.h"

#include <cstdint>
#include <cstring>

#include "model/byte_images.h"

namespace scen {

namespace {

class Cursore {
 public:
  explicit Cursore(std::string_view b) : b_(b) {}

  size_t pos() const { return pos_; }
  bool fine() const { return pos_ == b_.size(); }

  uint8_t u8(const char* campo) { return static_cast<uint8_t>(prendi(1, campo)[0]); }
  uint16_t u16(const char* campo) {
    const auto p = prendi(2, campo);
    return static_cast<uint16_t>(static_cast<uint8_t>(p[0]) | static_cast<uint8_t>(p[1]) << 8);
  }
  int16_t i16(const char* campo) { return static_cast<int16_t>(u16(campo)); }
  int32_t i32(const char* campo) {
    const auto p = prendi(4, campo);
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = u << 8 | static_cast<uint8_t>(p[i]);
    return static_cast<int32_t>(u);
  }
  double f64(const char* campo) {
    const auto p = prendi(8, campo);
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i) u = u << 8 | static_cast<uint8_t>(p[i]);
    double d;
    std::memcpy(&d, &u, sizeof d);
    return d;
  }
  std::string testo(size_t n, const char* campo) { return std::string(prendi(n, campo)); }

 private:
  std::string_view prendi(size_t n, const char* campo) {
    if (b_.size() - pos_ < n)
      throw ErroreDecodifica(pos_, std::string("truncated: ") + campo + " needs " + std::to_string(n) +
                                       " bytes, " + std::to_string(b_.size() - pos_) + " left");
    const auto p = b_.substr(pos_, n);
    pos_ += n;
    return p;
  }

  std::string_view b_;
  size_t pos_ = 0;
};

}  // namespace

std::vector<Cella> leggi_immagine_celle(std::string_view byte) {
  if (byte.size() % kByteCella != 0)
    throw ErroreDecodifica(byte.size() - byte.size() % kByteCella,
                           "truncated: the cell grid is " + std::to_string(byte.size()) +
                               " bytes, not a multiple of 15");
  Cursore c(byte);
  std::vector<Cella> celle(byte.size() / kByteCella);
  for (Cella& x : celle) {
    x.tipo = c.u8("tipo");
    x.valore_1 = c.i16("valore_1");
    x.valore_2 = c.i16("valore_2");
    x.valore_3 = c.i16("valore_3");
    x.valore_4 = c.i16("valore_4");
    x.tempo = c.u8("tempo");
    x.preavviso = c.u8("preavviso");
    x.montagna = c.u8("montagna");
    x.vel_limite = c.u8("vel_limite");
    x.pendenza = c.u8("pendenza");
    x.aderenza = c.u8("aderenza");
  }
  return celle;
}

std::array<RecordSim, kNumeroRecord> leggi_immagine_dati_sim(std::string_view byte) {
  Cursore c(byte);
  std::array<RecordSim, kNumeroRecord> dati;
  for (RecordSim& r : dati) {
    r.tipo = c.u8("tipo");
    r.inizio = c.i32("inizio");
    r.fine = c.i32("fine");
    r.posizione = c.i32("posizione");
    r.opzione_1 = c.u8("opzione_1");
    const uint16_t n = c.u16("text length");
    r.testo = c.testo(n, "testo");
    r.parametro_1 = c.i16("parametro_1");
    r.parametro_2 = c.i16("parametro_2");
    r.parametro_4 = c.i16("parametro_4");
    r.parametro_5 = c.i16("parametro_5");
    r.parametro_6 = c.i16("parametro_6");
    r.parametro_3 = c.u8("parametro_3");
    r.sosta = c.u8("sosta");
    r.opzione_3 = c.u8("opzione_3");
    r.opzione_2 = c.u8("opzione_2");
    r.orario = c.i32("orario");
  }
  if (!c.fine())
    throw ErroreDecodifica(c.pos(), std::to_string(byte.size() - c.pos()) + " bytes after record 86");
  return dati;
}

TabellaLinea leggi_immagine_tabella_linea(std::string_view byte) {
  Cursore c(byte);
  ColonnaLinea slot;
  while (!c.fine()) {
    const size_t inizio = c.pos();
    const uint16_t tag = c.u16("slot type");
    // Compared as 16 bits: narrowed to TipoSlot first, 0x0105 would pass as 5.
    switch (tag) {
      case static_cast<uint16_t>(TipoSlot::vuoto):
        slot.tipo.push_back(TipoSlot::vuoto);
        slot.valore.push_back(0.0);
        break;
      case static_cast<uint16_t>(TipoSlot::intero):
        slot.tipo.push_back(TipoSlot::intero);
        slot.valore.push_back(c.i16("16-bit slot"));
        break;
      case static_cast<uint16_t>(TipoSlot::reale):
        slot.tipo.push_back(TipoSlot::reale);
        slot.valore.push_back(c.f64("double slot"));
        break;
      default:
        throw ErroreDecodifica(inizio, "unknown slot type " + std::to_string(tag));
    }
  }
  if (slot.tipo.size() % 2 != 0)
    throw ErroreDecodifica(byte.size(), "odd number of slots (" + std::to_string(slot.tipo.size()) +
                                            "): the x and y columns differ in length");
  const size_t righe = slot.tipo.size() / 2;
  TabellaLinea t;
  t.x.tipo.assign(slot.tipo.begin(), slot.tipo.begin() + righe);
  t.x.valore.assign(slot.valore.begin(), slot.valore.begin() + righe);
  t.y.tipo.assign(slot.tipo.begin() + righe, slot.tipo.end());
  t.y.valore.assign(slot.valore.begin() + righe, slot.valore.end());
  return t;
}

}  // namespace scen
