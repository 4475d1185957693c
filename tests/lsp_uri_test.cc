#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/lsp/scenario_pair.h"
#include "tools/lsp/uri.h"

namespace {

using scenc::lsp::FormaPercorsi;
using scenc::lsp::percorso_da_uri;
using scenc::lsp::uri_da_percorso;

// The spellings editors use on Windows all name one path: the drive's
// colon escaped or not, its letter in either case, backslashes inside.
TEST(LspUri, WindowsUrisNameOnePathWhateverTheirSpelling) {
  struct Caso {
    std::string uri;
    std::optional<std::string> percorso;
  };
  const Caso casi[] = {
      {"file:///c%3A/Users/Ana/Magr%C3%A8_linea.txt", "C:/Users/Ana/Magrè_linea.txt"},
      {"file:///C:/Users/Ana/Magr%C3%A8_linea.txt", "C:/Users/Ana/Magrè_linea.txt"},
      {"file:///c%3a/Users/Ana/x.txt", "C:/Users/Ana/x.txt"},
      {"file:///C%3A/Users%5CAna%5Cx.txt", "C:/Users/Ana/x.txt"},
      {"file:///d:\\Scenari\\x.txt", "D:/Scenari/x.txt"},
      {"file://localhost/z%3A/tmp/%C5%A0%C4%8Denari%20%E2%98%83/x.txt", "Z:/tmp/Ščenari ☃/x.txt"},
      {"file:///z%3A", "Z:"},
      // Not a drive: a folder whose name begins with a letter and a colon
      // is no drive unless the colon ends the first name.
      {"file:///ab:/x", "/ab:/x"},
      {"file://server/share/x.txt", std::nullopt},
      {"file:///c%3", std::nullopt},
      // A NUL, escaped or not, would cut the name short where the system
      // reads it: another file than the one named.
      {"file:///c%3A/x%00.txt", std::nullopt},
      {std::string("file:///c%3A/x\0.txt", 19), std::nullopt},
  };
  for (const Caso& c : casi) EXPECT_EQ(percorso_da_uri(c.uri, FormaPercorsi::con_unita), c.percorso) << c.uri;

  // Back to the URI as Visual Studio Code writes it, from either separator;
  // what goes out comes back as the same path.
  EXPECT_EQ(uri_da_percorso("C:/Users/Ana/Magrè_linea.txt", FormaPercorsi::con_unita),
            "file:///c%3A/Users/Ana/Magr%C3%A8_linea.txt");
  EXPECT_EQ(uri_da_percorso("Z:\\tmp\\Ščenari ☃\\x.txt", FormaPercorsi::con_unita),
            "file:///z%3A/tmp/%C5%A0%C4%8Denari%20%E2%98%83/x.txt");
  for (const Caso& c : casi) {
    if (c.percorso && c.percorso->size() > 2 && (*c.percorso)[1] == ':') {
      EXPECT_EQ(percorso_da_uri(uri_da_percorso(*c.percorso, FormaPercorsi::con_unita), FormaPercorsi::con_unita),
                c.percorso);
    }
  }
}

// On Linux a path is the URI's, whatever it looks like.
TEST(LspUri, PathsFromTheRootKeepWhatTheUriSays) {
  EXPECT_EQ(percorso_da_uri("file:///c%3A/x\\y", FormaPercorsi::dalla_radice), "/c:/x\\y");
  EXPECT_EQ(uri_da_percorso("/home/Ana/Magrè", FormaPercorsi::dalla_radice), "file:///home/Ana/Magr%C3%A8");
}

// The other file of the pair is looked for beside the one opened, in the
// same spelling of its folder.
TEST(LspUri, ThePairIsFoundBesideAFileOpenedOnADrive) {
  const std::set<std::string> cartella = {"C:/Users/Ana/Scenari/Magrè_linea.txt", "C:/Users/Ana/Scenari/Magrè_R1-.txt"};
  scenc::lsp::VistaFile vista;
  vista.esiste = [&](const std::string& f) { return cartella.contains(f); };
  vista.nella_cartella = [&](const std::string& c) {
    std::vector<std::string> nomi;
    for (const std::string& f : cartella)
      if (f.starts_with(c)) nomi.push_back(f.substr(c.size()));
    return nomi;
  };
  for (const char* uri : {"file:///c%3A/Users/Ana/Scenari/Magr%C3%A8_R1-.txt",
                          "file:///C:\\Users\\Ana\\Scenari\\Magr%C3%A8_linea.txt"}) {
    const auto percorso = percorso_da_uri(uri, FormaPercorsi::con_unita);
    ASSERT_TRUE(percorso) << uri;
    const auto c = scenc::lsp::coppia_di(*percorso, vista);
    ASSERT_TRUE(c) << uri;
    EXPECT_EQ(c->route, "Magrè");
    EXPECT_EQ(c->train, "R1");
    EXPECT_EQ(c->linea, "C:/Users/Ana/Scenari/Magrè_linea.txt");
    EXPECT_EQ(c->treno, "C:/Users/Ana/Scenari/Magrè_R1-.txt");
  }
}

}  // namespace
