// The decoder of the compiled images reads back what the writer writes.
#include "model/image_reader.h"

#include <gtest/gtest.h>

#include "model/byte_images.h"
#include "test_support.h"

namespace scen {
namespace {

test::Compilato compilato() {
  auto c = test::compila(test::linea_con("curvas6, 350, 100\r\ncartello_indicatore, 1150, (A)\r\n", 3000),
                         test::treno_con("stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 9,57,0, Dolc\xe8\r\n"
                                         "segnale, 1350, 2,4,1,0,0,2,2,1,0,0\r\n"));
  EXPECT_EQ(c.diagnostica.codice, 0);
  return c;
}

TEST(ImageReader, DecodingThenEncodingGivesTheSameBytes) {
  const auto c = compilato();
  const std::string celle = immagine_celle(*c.m.celle);
  const std::string sim = immagine_dati_sim(c.m.dati_sim);
  const std::string linea = immagine_tabella_linea(*c.m.tabella_linea);
  EXPECT_EQ(leggi_immagine_celle(celle), *c.m.celle);
  EXPECT_EQ(leggi_immagine_dati_sim(sim), c.m.dati_sim);
  EXPECT_EQ(immagine_celle(leggi_immagine_celle(celle)), celle);
  EXPECT_EQ(immagine_dati_sim(leggi_immagine_dati_sim(sim)), sim);
  EXPECT_EQ(immagine_tabella_linea(leggi_immagine_tabella_linea(linea)), linea);
  EXPECT_EQ(leggi_immagine_tabella_linea(linea).righe(), 10001u);
}

TEST(ImageReader, CorruptImagesNameTheOffset) {
  const auto c = compilato();
  const std::string sim = immagine_dati_sim(c.m.dati_sim);
  const std::string linea = immagine_tabella_linea(*c.m.tabella_linea);
  auto offset = [](auto&& decodifica) -> long {
    try {
      decodifica();
    } catch (const ErroreDecodifica& e) {
      return static_cast<long>(e.offset());
    }
    return -1;
  };
  EXPECT_EQ(offset([&] { leggi_immagine_celle(std::string(31, '\0')); }), 30);
  EXPECT_EQ(offset([&] { leggi_immagine_dati_sim(sim.substr(0, 40)); }), 39);
  EXPECT_EQ(offset([&] { leggi_immagine_dati_sim(sim + "x"); }), static_cast<long>(sim.size()));
  EXPECT_EQ(offset([&] { leggi_immagine_tabella_linea(std::string("\x07\x00", 2)); }), 0);
  EXPECT_EQ(offset([&] { leggi_immagine_tabella_linea(linea.substr(0, 15)); }), 10);
  EXPECT_EQ(offset([&] { leggi_immagine_tabella_linea(linea.substr(0, 4)); }), 4);  // odd slots
}

}  // namespace
}  // namespace scen
