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

inline constexpr size_t kPaginaGrande = size_t{2} << 20;
#ifdef __SANITIZE_ADDRESS__
// Under AddressSanitizer every block comes from the usual allocator, whose
// bounds the sanitizer watches.
inline constexpr size_t kSogliaPagineGrandi = std::numeric_limits<size_t>::max();
#else
inline constexpr size_t kSogliaPagineGrandi = kPaginaGrande / 4;
#endif

// `byte` (a multiple of kPaginaGrande), mapped at a multiple of
// kPaginaGrande. Throws std::bad_alloc when the mapping fails.
inline void* mappa_pagine_grandi(size_t byte) {
  // One huge page more than asked, so that an aligned start lies inside;
  // the slack before and after it is handed back.
  const size_t mappati = byte + kPaginaGrande;
  void* p = ::mmap(nullptr, mappati, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  const auto inizio = reinterpret_cast<uintptr_t>(p);
  const uintptr_t allineato = (inizio + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
  const size_t prima = allineato - inizio;
  const size_t dopo = mappati - prima - byte;
  if ((prima > 0 && ::munmap(p, prima) != 0) ||
      (dopo > 0 && ::munmap(reinterpret_cast<void*>(allineato + byte), dopo) != 0))
    std::abort();  // unmapping part of a mapping just made cannot fail
  // Advice only: when it is refused (no transparent huge pages in this
  // kernel) the block keeps small pages and works the same.
  (void)::madvise(reinterpret_cast<void*>(allineato), byte, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(allineato);
}

// Has the kernel put in the pages of [inizio, fine) now, as the first write
// to each would, but all in one call: their bytes stay as they are (zero
// for pages not yet touched). Advice only: where the kernel cannot, the
// pages come with their first write as usual.
inline void prepara_pagine(const void* inizio, const void* fine) noexcept {
#ifdef MADV_POPULATE_WRITE
  constexpr uintptr_t kPagina = 4096;
  const uintptr_t da = reinterpret_cast<uintptr_t>(inizio) & ~(kPagina - 1);
  const uintptr_t a = reinterpret_cast<uintptr_t>(fine);
  if (a > da) (void)::madvise(reinterpret_cast<void*>(da), a - da, MADV_POPULATE_WRITE);
#else
  (void)inizio;
  (void)fine;
#endif
}

// Only a block that mappa_pagine_grandi made, with its size, comes here.
inline void libera_pagine_grandi(void* p, size_t byte) noexcept {
  if (::munmap(p, byte) != 0) std::abort();
}

template <class T>
struct AllocatorePagineGrandi {
  using value_type = T;

  AllocatorePagineGrandi() = default;
  template <class U>
  AllocatorePagineGrandi(const AllocatorePagineGrandi<U>&) noexcept {}

  // Every block comes zeroed: a fresh mapping is, a smaller block is
  // cleared here.
  T* allocate(size_t n) {
    if (n > (std::numeric_limits<size_t>::max() - 2 * kPaginaGrande) / sizeof(T))
      throw std::bad_array_new_length();
    const size_t byte = n * sizeof(T);
    if (byte < kSogliaPagineGrandi) {
      T* p = std::allocator<T>().allocate(n);
      std::memset(static_cast<void*>(p), 0, byte);
      return p;
    }
    return static_cast<T*>(mappa_pagine_grandi(in_pagine_grandi(byte)));
  }
  void deallocate(T* p, size_t n) noexcept {
    const size_t byte = n * sizeof(T);
    if (byte < kSogliaPagineGrandi)
      std::allocator<T>().deallocate(p, n);
    else
      libera_pagine_grandi(p, in_pagine_grandi(byte));
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
  bool operator==(const AllocatorePagineGrandi<U>&) const noexcept {
    return true;
  }

 private:
  static size_t in_pagine_grandi(size_t byte) {
    return (byte + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
  }
};

}  // namespace scen
