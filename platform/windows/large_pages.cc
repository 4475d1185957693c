#include "platform/large_pages.h"

#include <windows.h>

#include <cstdlib>
#include <limits>
#include <new>

namespace scen {

// Committed memory comes zeroed; large pages would need a privilege that
// ordinary accounts lack, so the block keeps the usual pages.
void* map_large_pages(size_t bytes) {
  if (bytes > std::numeric_limits<size_t>::max() - 2 * kLargePage) throw std::bad_alloc();
  void* p = ::VirtualAlloc(nullptr, in_large_pages(bytes), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!p) throw std::bad_alloc();
  return p;
}

void unmap_large_pages(void* p, size_t) noexcept {
  if (!::VirtualFree(p, 0, MEM_RELEASE)) std::abort();
}

}  // namespace scen
