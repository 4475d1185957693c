// Blocks of memory for the few large buffers of a run that are written
// soon after they are had. Where the system offers transparent huge pages
// (Linux), a block is mapped at a multiple of kLargePage and advised to use
// them: one page fault for 2 MiB instead of 512. Elsewhere a block is plain
// committed memory, zeroed, and works the same.
#pragma once

#include <cstddef>

namespace scen {

inline constexpr size_t kLargePage = size_t{2} << 20;

// `bytes` rounded up to whole huge pages.
inline size_t in_large_pages(size_t bytes) { return (bytes + kLargePage - 1) / kLargePage * kLargePage; }

// A block of in_large_pages(bytes) bytes, zeroed. Throws std::bad_alloc
// when the system has none to give.
void* map_large_pages(size_t bytes);

// Only a block that map_large_pages made, with the size it was asked for.
void unmap_large_pages(void* p, size_t bytes) noexcept;

}  // namespace scen
