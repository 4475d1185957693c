// Mutations that keep a compiled file close to a valid one, for the
// decoders' target: the seeds are whole compiled files, and most random
// byte changes break them at their first bytes. Half of the mutations here
// cut the file short or put one telling value (0, -1, the largest and
// smallest numbers, a NaN, an infinity) into one field of 1, 2, 4 or 8
// bytes at a boundary of its size; the other half are libFuzzer's own.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t max_size);

namespace {

void put(uint8_t* at, uint64_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t telling_value(std::minstd_rand& rnd, size_t width) {
  const uint64_t bits = width * 8;
  const uint64_t all = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
  switch (rnd() % 8) {
    case 0: return 0;
    case 1: return all;                              // -1
    case 2: return all >> 1;                         // the largest
    case 3: return (all >> 1) + 1;                   // the smallest
    case 4: return width == 8 ? 0x7FF8000000000000u   // NaN
                   : width == 4 ? 0x7FC00000u : 1;
    case 5: return width == 8 ? 0x7FF0000000000000u   // infinity
                   : width == 4 ? 0x7F800000u : 2;
    case 6: return 1;
    default: return rnd() & all;
  }
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t max_size, unsigned seed) {
  std::minstd_rand rnd(seed);
  if (size == 0 || rnd() % 2 == 0) return LLVMFuzzerMutate(data, size, max_size);
  if (rnd() % 3 == 0) return rnd() % size;  // cut short
  const size_t width = size_t{1} << (rnd() % 4);
  if (size < width) return LLVMFuzzerMutate(data, size, max_size);
  const size_t at = (rnd() % (size / width)) * width;
  put(data + at, telling_value(rnd, width), width);
  return size;
}
