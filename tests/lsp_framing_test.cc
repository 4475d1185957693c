#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/lsp/framing.h"

namespace {

using scenc::lsp::FrameDecoder;
using scenc::lsp::Frame;

// Every frame the decoder gives for `pezzi` handed over in turn: bodies as
// they are, errors as "!".
std::vector<std::string> decodificati(const std::vector<std::string>& pezzi) {
  FrameDecoder d;
  std::vector<std::string> out;
  for (const std::string& p : pezzi) {
    d.aggiungi(p);
    while (std::optional<Frame> f = d.prossimo()) out.push_back(f->errore.empty() ? f->corpo : "!");
  }
  return out;
}

TEST(LspFraming, BodiesAreCutByTheirLengthWhateverPiecesTheyArriveIn) {
  struct Caso {
    const char* nome;
    std::vector<std::string> pezzi;
    std::vector<std::string> attesi;
  };
  const std::string due = scenc::lsp::incornicia("{\"a\":1}") + scenc::lsp::incornicia("[\u00e8]");
  const Caso casi[] = {
      {"two in one piece", {due}, {"{\"a\":1}", "[\u00e8]"}},
      {"a byte at a time", {}, {"{\"a\":1}", "[\u00e8]"}},
      {"other headers, any case", {"Content-Type: x\r\ncontent-length:  2\r\n\r\n{}"}, {"{}"}},
      {"no length, then a good one", {"Content-Type: x\r\n\r\n" + scenc::lsp::incornicia("7")}, {"!", "7"}},
      {"a length that is no number", {"Content-Length: 2x\r\n\r\n" + scenc::lsp::incornicia("8")}, {"!", "8"}},
      {"too large: refused and skipped",
       {"Content-Length: 268435457\r\n\r\n", std::string(1000, 'x')},
       {"!"}},
      {"a body not yet whole", {"Content-Length: 10\r\n\r\n{}"}, {}},
  };
  for (const Caso& c : casi) {
    std::vector<std::string> pezzi = c.pezzi;
    if (pezzi.empty())
      for (char b : due) pezzi.emplace_back(1, b);
    EXPECT_EQ(decodificati(pezzi), c.attesi) << c.nome;
  }
  EXPECT_EQ(decodificati({std::string(9000, 'h')}), std::vector<std::string>{"!"});  // a header without end
}

}  // namespace
