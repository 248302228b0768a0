#include "common/large_block_allocator.h"

#include <sys/mman.h>

#include <cstdint>

namespace zenkar {

void* MapLargeBlock(size_t bytes) {
  // One block more than asked, so that an aligned range of `bytes` lies
  // within it; the rest is given back at once.
  const size_t mapped = bytes + kLargeBlock;
  void* memory =
      ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return nullptr;
  const uintptr_t start = reinterpret_cast<uintptr_t>(memory);
  const uintptr_t aligned = (start + kLargeBlock - 1) / kLargeBlock * kLargeBlock;
  if (aligned > start) ::munmap(memory, aligned - start);
  const uintptr_t end = start + mapped;
  if (end > aligned + bytes)
    ::munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
  void* block = reinterpret_cast<void*>(aligned);
  ::madvise(block, bytes, MADV_HUGEPAGE);
  return block;
}

void UnmapLargeBlock(void* block, size_t bytes) { ::munmap(block, bytes); }

}  // namespace zenkar
