#include "platform/large_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>

namespace scen {

void* map_large_pages(size_t bytes) {
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

void unmap_large_pages(void* p, size_t bytes) noexcept {
  if (::munmap(p, in_large_pages(bytes)) != 0) std::abort();
}

}  // namespace scen
