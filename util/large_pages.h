// An allocator whose large blocks come in huge pages (platform/large_pages.h).
#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>

#include "platform/large_pages.h"

namespace scen {

// The usual allocator but for where a large block's pages come from: one
// of 512 KiB or more is a block of huge pages of its own. A container with
// it behaves as one with std::allocator (its elements are constructed,
// copied and destroyed the same way, any two allocators are equal); it only
// faults in fewer pages.
template <class T>
struct LargePageAllocator {
  using value_type = T;
  using is_always_equal = std::true_type;

#ifdef __SANITIZE_ADDRESS__
  // Under AddressSanitizer every block comes from the usual allocator,
  // whose bounds the sanitizer watches.
  static constexpr size_t kThreshold = std::numeric_limits<size_t>::max();
#else
  static constexpr size_t kThreshold = kLargePage / 4;
#endif

  LargePageAllocator() = default;
  template <class U>
  LargePageAllocator(const LargePageAllocator<U>&) noexcept {}

  T* allocate(size_t n) {
    if (n > std::numeric_limits<size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    if (n * sizeof(T) < kThreshold) return std::allocator<T>().allocate(n);
    return static_cast<T*>(map_large_pages(n * sizeof(T)));
  }
  void deallocate(T* p, size_t n) noexcept {
    if (n * sizeof(T) < kThreshold)
      std::allocator<T>().deallocate(p, n);
    else
      unmap_large_pages(p, n * sizeof(T));
  }

  template <class U>
  bool operator==(const LargePageAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace scen
