// LargeBlockAllocator: an allocator for the large tables the program builds
// in one pass over a file (tens of megabytes for a full transaction file).
//
// Blocks of 2 MB or more are mapped afresh, aligned to 2 MB and marked for
// transparent huge pages, so that touching them costs a few page faults
// instead of one per 4 KB page (each fault costs several microseconds in a
// virtual machine; 2,000 of them cost more than reading the file). Smaller
// blocks come from the usual heap.
#ifndef ZENKAR_COMMON_LARGE_BLOCK_ALLOCATOR_H_
#define ZENKAR_COMMON_LARGE_BLOCK_ALLOCATOR_H_

#include <cstddef>
#include <new>

namespace zenkar {

// The mapped memory of `bytes` (a multiple of 2 MB, zeroed), or nullptr.
void* MapLargeBlock(size_t bytes);
void UnmapLargeBlock(void* block, size_t bytes);
inline constexpr size_t kLargeBlock = size_t{2} << 20;

template <typename T>
class LargeBlockAllocator {
 public:
  using value_type = T;
  LargeBlockAllocator() = default;
  template <typename U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargeBlock) return static_cast<T*>(::operator new(bytes));
    void* block = MapLargeBlock(Rounded(bytes));
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* p, size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes < kLargeBlock) {
      ::operator delete(p);
    } else {
      UnmapLargeBlock(p, Rounded(bytes));
    }
  }
  template <typename U>
  bool operator==(const LargeBlockAllocator<U>&) const {
    return true;
  }

 private:
  static size_t Rounded(size_t bytes) {
    return (bytes + kLargeBlock - 1) / kLargeBlock * kLargeBlock;
  }
};

}  // namespace zenkar

#endif  // ZENKAR_COMMON_LARGE_BLOCK_ALLOCATOR_H_
