// The transport of the language server: JSON-RPC messages framed by a
// `Content-Length` header, read from and written to file descriptors.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scenc::lsp {

// A message's body is refused beyond this size.
inline constexpr size_t kCorpoMassimo = size_t{1} << 28;

// What the decoder finds in the bytes it was given.
struct Frame {
  std::string corpo;
  // Not empty: the header was malformed (its body, if any, skipped) and
  // this says why; `corpo` is then empty.
  std::string errore;
};

// Cuts a stream of bytes into message bodies.
class FrameDecoder {
 public:
  void aggiungi(std::string_view byte) { buffer_.append(byte); }
  // The next whole message; none until all of it has arrived.
  std::optional<Frame> prossimo();
  bool vuoto() const { return buffer_.empty() && da_saltare_ == 0; }

 private:
  std::string buffer_;
  size_t da_saltare_ = 0;  // bytes of a refused body still to drop
};

// The frame around a body, ready to be written.
std::string incornicia(std::string_view corpo);

// Reads frames from a file descriptor.
class MessageReader {
 public:
  explicit MessageReader(int fd) : fd_(fd) {}
  // The next frame; none at the end of the input or on a read error.
  std::optional<Frame> leggi();
  // Whether a message is already here or more input is waiting: the
  // server then reads it before compiling.
  bool in_attesa();

 private:
  int fd_;
  FrameDecoder decoder_;
  std::optional<Frame> pronto_;
};

// Writes all of `dati`; false when the descriptor refuses it.
bool scrivi_tutto(int fd, std::string_view dati);

}  // namespace scenc::lsp
