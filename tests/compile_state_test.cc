// The compile state's reads: a read that fails leaves its target as it was
// and records error 25 at the last field read; after it nothing more is
// read or recorded.
#include "compiler/compile_state.h"

#include <gtest/gtest.h>

#include <string>


namespace scen {
namespace {

struct Lettura {
  Modello m;
  SorgentiCompilazione sorgenti;
  StatoCompilazione st{m, sorgenti, nullptr};

  explicit Lettura(const std::string& linea)
      : sorgenti{"R_linea.txt", "R_T-.txt", false, false, std::make_shared<const std::string>(linea)} {}
};

TEST(CompileState, AFailedReadLeavesItsTargetAndEndsTheReading) {
  Lettura l("sfondo, 12,  x7\r\nfine\r\n");
  ASSERT_TRUE(l.st.apri(FileSorgente::linea));
  ASSERT_TRUE(l.st.leggi_chiave());
  EXPECT_EQ(l.st.chiave, "sfondo");
  int32_t v = -1;
  PosizioneCampo dove;
  ASSERT_TRUE(l.st.numero(v, dove));
  EXPECT_EQ(v, 12);
  EXPECT_EQ(dove.colonna, 9);

  v = -1;
  dove = {};
  EXPECT_FALSE(l.st.numero(v, dove));
  EXPECT_EQ(v, -1);
  EXPECT_EQ(dove.linea, 0);
  EXPECT_TRUE(l.st.fallita());
  EXPECT_EQ(l.st.diagnostica.codice, kErroreLettura);
  EXPECT_EQ(l.st.diagnostica.file, FileSorgente::linea);
  EXPECT_EQ(l.st.diagnostica.campo.linea, 1);
  EXPECT_EQ(l.st.diagnostica.campo.colonna, 14);
  EXPECT_EQ(l.st.diagnostica.messaggio, "not a number: unexpected character 'x'");

  // Nothing further is read, and only the first failure is recorded.
  std::string testo = "com'era";
  EXPECT_FALSE(l.st.leggi_testo(testo));
  EXPECT_EQ(testo, "com'era");
  EXPECT_FALSE(l.st.leggi_chiave());
  EXPECT_EQ(l.st.chiave, "sfondo");
  EXPECT_TRUE(l.st.fine_file());
  l.st.guasto("later");
  EXPECT_EQ(l.st.diagnostica.messaggio, "not a number: unexpected character 'x'");
}

TEST(CompileState, AFileThatCannotBeOpenedIsAReadFailure) {
  Lettura l("");
  EXPECT_FALSE(l.st.apri(FileSorgente::treno));
  EXPECT_TRUE(l.st.fallita());
  EXPECT_EQ(l.st.diagnostica.codice, kErroreLettura);
  EXPECT_EQ(l.st.diagnostica.file, FileSorgente::treno);
  EXPECT_EQ(l.st.diagnostica.messaggio, "cannot open " + l.sorgenti.treno.string() + ": No such file or directory");
}

TEST(CompileState, TextsTheCodePageLacksAreReadFailures) {
  Lettura l("");
  l.sorgenti.testi_utf8 = true;
  std::string cp1252 = "com'era";
  EXPECT_TRUE(l.st.testo("caff\xc3\xa8", cp1252));
  EXPECT_EQ(cp1252, "caff\xe8");
  cp1252 = "com'era";
  EXPECT_FALSE(l.st.testo("\xce\xa9", cp1252));
  EXPECT_EQ(cp1252, "com'era");
  EXPECT_EQ(l.st.diagnostica.codice, kErroreLettura);
}

TEST(CompileState, BytesThatAreNotUtf8AreReadFailuresAtTheByte) {
  const struct {
    const char* caso;
    std::string linea;
    int64_t colonna;
    std::string messaggio;
  } casi[] = {
      {"a code page 1252 file", "x,  Magr\xe8 \r\n", 9, "byte 0xE8 is not UTF-8; the file looks like code page 1252"},
      {"UTF-8 elsewhere in the file", "x, Magr\xe8\r\ny, \xc3\xa8\r\n", 8, "byte 0xE8 is not UTF-8"},
      {"a byte code page 1252 leaves undefined", "x, ab\x81\r\n", 6, "byte 0x81 is not UTF-8"},
      {"a sequence cut off", "x, ab\xc3\r\n", 6, "byte 0xC3 is not UTF-8; the file looks like code page 1252"},
      {"an overlong sequence", "x, \xc0\xaf\r\n", 4, "byte 0xC0 is not UTF-8; the file looks like code page 1252"},
  };
  for (const auto& c : casi) {
    Lettura l(c.linea);
    l.sorgenti.testi_utf8 = true;
    std::string letto, cp1252 = "com'era";
    ASSERT_TRUE(l.st.apri(FileSorgente::linea));
    ASSERT_TRUE(l.st.leggi_chiave() && l.st.leggi_testo(letto)) << c.caso;
    EXPECT_FALSE(l.st.testo(letto, cp1252)) << c.caso;
    EXPECT_EQ(cp1252, "com'era") << c.caso;
    EXPECT_EQ(l.st.diagnostica.codice, kErroreLettura) << c.caso;
    EXPECT_EQ(l.st.diagnostica.campo, (PosizioneCampo{1, c.colonna})) << c.caso;
    EXPECT_EQ(l.st.diagnostica.messaggio, c.messaggio) << c.caso;
  }
}

}  // namespace
}  // namespace scen
