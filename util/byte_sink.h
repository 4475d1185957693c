// A little-endian byte sink. Without a drain it collects the whole image in
// memory; with one it hands the bytes on in large blocks.
//
// Every 4 KiB first written in a fresh block costs the kernel a page fault.
// A block from the usual allocator faults in only the pages a file fills,
// which suits a short file; a sink told to expect a long content takes its
// block in huge pages instead (util/large_pages.h): one fault for the whole
// block, however many times it is filled.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "util/large_pages.h"

namespace scen {

// Little-endian stores into raw bytes; each returns the byte after the field.
// On a little-endian machine a field is its own bytes, stored at once
// (the compiler does not always merge the byte-by-byte stores into one);
// elsewhere it is taken apart a byte at a time.
template <class U>
inline unsigned char* store_le(unsigned char* p, U v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);
  } else {
    for (size_t i = 0; i < sizeof v; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
  }
  return p + sizeof v;
}
inline unsigned char* store_le16(unsigned char* p, uint16_t v) { return store_le(p, v); }
inline unsigned char* store_le32(unsigned char* p, uint32_t v) { return store_le(p, v); }
inline unsigned char* store_le64(unsigned char* p, uint64_t v) { return store_le(p, v); }

// A sink's buffer, freed the way it was had: `large_pages` is its size when
// it came from map_large_pages, 0 when from new[].
struct FreeSinkBuffer {
  size_t large_pages = 0;
  void operator()(char* p) const noexcept {
    if (large_pages > 0)
      unmap_large_pages(p, large_pages);
    else
      delete[] p;
  }
};

class ByteSink {
  using Buffer = std::unique_ptr<char[], FreeSinkBuffer>;

 public:
  using Drain = std::function<void(std::string_view)>;

  ByteSink() = default;
  explicit ByteSink(Drain drain, size_t block = size_t{1} << 20)
      : drain_(std::move(drain)), buffer_(std::make_unique_for_overwrite<char[]>(block).release()), size_(block) {}

  void u8(uint8_t v) { put(&v, 1); }
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void u16(uint16_t v) {
    unsigned char b[2];
    put(b, static_cast<size_t>(store_le16(b, v) - b));
  }
  void i32(int32_t v) {
    unsigned char b[4];
    put(b, static_cast<size_t>(store_le32(b, static_cast<uint32_t>(v)) - b));
  }
  void f64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    unsigned char b[8];
    put(b, static_cast<size_t>(store_le64(b, u) - b));
  }
  void bytes(std::string_view s) {
    if (!s.empty()) put(s.data(), s.size());
  }

  // For a long run of small fields: room for at least `n` bytes, written
  // straight through the returned pointer and then handed back with
  // `commit(end)`, `end` being one past the last byte written. Nothing else
  // may go into the sink in between.
  unsigned char* room_for(size_t n) {
    if (n > size_ - used_) make_room(n);
    return reinterpret_cast<unsigned char*>(buffer_.get()) + used_;
  }
  void commit(const unsigned char* end) {
    used_ = static_cast<size_t>(reinterpret_cast<const char*>(end) - buffer_.get());
  }

  // Up to `bytes` more bytes are coming: a drained sink that may fill its
  // block more than once takes the block in huge pages.
  void expect(uint64_t bytes) {
    if (!drain_ || buffer_.get_deleter().large_pages > 0 || bytes <= size_ - used_) return;
    Buffer buffer(static_cast<char*>(map_large_pages(size_)), {size_});
    if (used_ > 0) std::memcpy(buffer.get(), buffer_.get(), used_);
    buffer_ = std::move(buffer);
  }

  // Hands the rest to the drain; a sink without a drain keeps everything.
  void flush() {
    if (drain_ && used_ > 0) {
      drain_(std::string_view(buffer_.get(), used_));
      used_ = 0;
    }
  }
  std::string_view collected() const { return {buffer_.get(), used_}; }

 private:
  // The buffer holds `size_` bytes, the first `used_` of them filled. One
  // test and one copy per field, which for a field's fixed size is a single
  // store. The new length is computed from `at`, not read back after the
  // copy: a store of bytes may alias any member, and reading `used_` again
  // would put every field behind the store of the one before it.
  void put(const void* p, size_t n) {
    if (n > size_ - used_) make_room(n);
    const size_t at = used_;
    std::memcpy(buffer_.get() + at, p, n);
    used_ = at + n;
  }
  // With a drain: hand on what is filled (a field longer than the block
  // gets a buffer of its own size). Without a drain: double the buffer.
  void make_room(size_t n) {
    flush();
    if (n <= size_ - used_) return;
    const size_t new_size = drain_ ? std::max(size_, used_ + n) : std::max(2 * size_, used_ + n);
    Buffer buffer(std::make_unique_for_overwrite<char[]>(new_size).release());
    if (used_ > 0) std::memcpy(buffer.get(), buffer_.get(), used_);
    buffer_ = std::move(buffer);
    size_ = new_size;
  }

  Drain drain_;
  Buffer buffer_;
  size_t size_ = 0;
  size_t used_ = 0;
};

}  // namespace scen
