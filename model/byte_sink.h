// A little-endian byte sink. Without a drain it collects the whole image in
// memory; with one it hands the bytes on in large blocks.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

namespace scen {

class ByteSink {
 public:
  using Drain = std::function<void(std::string_view)>;

  ByteSink() = default;
  explicit ByteSink(Drain drain, size_t block = size_t{1} << 20)
      : drain_(std::move(drain)), block_(block) {
    buffer_.reserve(block_);
  }

  void u8(uint8_t v) { put(&v, 1); }
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void u16(uint16_t v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    put(b, 2);
  }
  void i32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                static_cast<unsigned char>(u >> 16),
                                static_cast<unsigned char>(u >> 24)};
    put(b, 4);
  }
  void f64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    unsigned char b[8];
    for (int i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(u >> (8 * i));
    put(b, 8);
  }
  void bytes(std::string_view s) { put(s.data(), s.size()); }

  // Hands the rest to the drain; a sink without a drain keeps everything.
  void flush() {
    if (drain_ && !buffer_.empty()) {
      drain_(buffer_);
      buffer_.clear();
    }
  }
  const std::string& collected() const { return buffer_; }

 private:
  void put(const void* p, size_t n) {
    buffer_.append(static_cast<const char*>(p), n);
    if (drain_ && buffer_.size() >= block_) flush();
  }

  Drain drain_;
  size_t block_ = 0;
  std::string buffer_;
};

}  // namespace scen
