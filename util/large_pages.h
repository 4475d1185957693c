// Memory in transparent huge pages, for the few large blocks of a run that
// are written soon after they are had: the kernel puts in a whole 2 MiB
// page on its first touch instead of faulting in 512 pages of 4 KiB one by
// one, which on a virtual machine costs more than filling them. (Clearing
// a 2 MiB page costs about what 128 such faults do: below 512 KiB a block
// is better off with small pages.) Advice only: where the kernel does not
// offer huge pages, a block simply keeps small pages and works the same.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>

namespace scen {

inline constexpr size_t kLargePage = size_t{2} << 20;

// `bytes` rounded up to whole huge pages.
inline size_t in_large_pages(size_t bytes) { return (bytes + kLargePage - 1) / kLargePage * kLargePage; }

// A block of in_large_pages(bytes) bytes, zeroed, mapped at a multiple of
// kLargePage. Throws std::bad_alloc when the mapping fails.
inline void* map_large_pages(size_t bytes) {
  if (bytes > std::numeric_limits<size_t>::max() - 2 * kLargePage) throw std::bad_alloc();
  const size_t size = in_large_pages(bytes);
  // One huge page more than asked, so that an aligned start lies inside;
  // the slack before and after it is handed back.
  const size_t mapped = size + kLargePage;
  void* p = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<uintptr_t>(p);
  const uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
  const size_t before = aligned - start;
  const size_t after = mapped - before - size;
  if ((before > 0 && ::munmap(p, before) != 0) ||
      (after > 0 && ::munmap(reinterpret_cast<void*>(aligned + size), after) != 0))
    std::abort();  // unmapping part of a mapping just made cannot fail
  (void)::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(aligned);
}

// Only a block that map_large_pages made, with the size it was asked for.
inline void unmap_large_pages(void* p, size_t bytes) noexcept {
  if (::munmap(p, in_large_pages(bytes)) != 0) std::abort();
}

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
