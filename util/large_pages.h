// An allocator for the large tables of the model: the track plan's columns
// run to 8 MB each (their values) and 1 MB (their slot kinds). A block of
// 512 KiB or more gets a mapping of its own, aligned to 2 MiB and marked for
// transparent huge pages, so that the kernel fills it with a few 2 MiB pages
// on first touch instead of faulting in hundreds or thousands of 4 KiB pages
// one by one, which costs more than computing the table. (Clearing a whole
// 2 MiB page costs about what 128 faults do: below that a block is better
// off with small pages.) Smaller blocks come from the usual allocator.
// Where the kernel does not offer huge pages a block simply keeps small
// pages.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace scen {

inline constexpr size_t kLargePage = size_t{2} << 20;
#ifdef __SANITIZE_ADDRESS__
// Under AddressSanitizer every block comes from the usual allocator, whose
// bounds the sanitizer watches.
inline constexpr size_t kLargePageThreshold = std::numeric_limits<size_t>::max();
#else
inline constexpr size_t kLargePageThreshold = kLargePage / 4;
#endif

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
  // Advice only: when it is refused (no transparent huge pages in this
  // kernel) the block keeps small pages and works the same.
  (void)::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(aligned);
}

// Has the kernel put in the pages of [start, end) now, as the first write
// to each would, but all in one call: their bytes stay as they are (zero
// for pages not yet touched). Advice only: where the kernel cannot, the
// pages come with their first write as usual.
inline void populate_pages(const void* start, const void* end) noexcept {
#ifdef MADV_POPULATE_WRITE
  constexpr uintptr_t kSmallPage = 4096;
  const uintptr_t from = reinterpret_cast<uintptr_t>(start) & ~(kSmallPage - 1);
  const uintptr_t to = reinterpret_cast<uintptr_t>(end);
  if (to > from) (void)::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#else
  (void)start;
  (void)end;
#endif
}

// Only a block that map_large_pages made, with the size it was asked for.
inline void unmap_large_pages(void* p, size_t bytes) noexcept {
  if (::munmap(p, in_large_pages(bytes)) != 0) std::abort();
}

template <class T>
struct LargePageAllocator {
  using value_type = T;

  LargePageAllocator() = default;
  template <class U>
  LargePageAllocator(const LargePageAllocator<U>&) noexcept {}

  // Every block comes zeroed: a fresh mapping is, a smaller block is
  // cleared here.
  T* allocate(size_t n) {
    if (n > (std::numeric_limits<size_t>::max() - 2 * kLargePage) / sizeof(T))
      throw std::bad_array_new_length();
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargePageThreshold) {
      T* p = std::allocator<T>().allocate(n);
      std::memset(static_cast<void*>(p), 0, bytes);
      return p;
    }
    return static_cast<T*>(map_large_pages(bytes));
  }
  void deallocate(T* p, size_t n) noexcept {
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargePageThreshold)
      std::allocator<T>().deallocate(p, n);
    else
      unmap_large_pages(p, bytes);
  }

  // The elements are plain numbers and a block comes zeroed: one made
  // without a value keeps the zero bytes it already has, so sizing a fresh
  // column writes none of its pages (the kernel clears a page when it is
  // first touched, and clearing it a second time cost as much again). A
  // container that shrinks and then grows again within the same block
  // would see old values: the columns are sized once, on fresh blocks.
  template <class U>
  void construct(U*) noexcept {
    static_assert(std::is_trivially_default_constructible_v<U> && std::is_trivially_copyable_v<U>);
  }
  template <class U, class... A>
  void construct(U* p, A&&... a) {
    ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
  }

  template <class U>
  bool operator==(const LargePageAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace scen
