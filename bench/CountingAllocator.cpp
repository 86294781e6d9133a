#include "bench/CountingAllocator.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<uint64_t> allocations{0};
std::atomic<uint64_t> heapBytes{0};
std::atomic<uint64_t> peakHeapBytes{0};

void* Counted(void* block) {
  if (!block) return block;
  const uint64_t now = heapBytes.fetch_add(malloc_usable_size(block), std::memory_order_relaxed) +
                       malloc_usable_size(block);
  uint64_t peak = peakHeapBytes.load(std::memory_order_relaxed);
  while (now > peak && !peakHeapBytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
  }
  return block;
}

void Free(void* block) {
  if (!block) return;
  heapBytes.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
  std::free(block);
}

void* Allocate(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return Counted(std::malloc(size == 0 ? 1 : size));
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  const auto align = static_cast<std::size_t>(alignment);
  void* block = nullptr;
  // posix_memalign wants at least the alignment of a pointer.
  if (posix_memalign(&block, align < sizeof(void*) ? sizeof(void*) : align, size == 0 ? 1 : size))
    return nullptr;
  return Counted(block);
}

void* OrThrow(void* block) {
  if (!block) throw std::bad_alloc();
  return block;
}

}  // namespace

uint64_t AllocationCount() { return allocations.load(std::memory_order_relaxed); }
uint64_t HeapBytes() { return heapBytes.load(std::memory_order_relaxed); }
uint64_t PeakHeapBytes() { return peakHeapBytes.load(std::memory_order_relaxed); }
void ResetPeakHeap() { peakHeapBytes.store(HeapBytes(), std::memory_order_relaxed); }

void* operator new(std::size_t size) { return OrThrow(Allocate(size)); }
void* operator new[](std::size_t size) { return OrThrow(Allocate(size)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) {
  return OrThrow(AllocateAligned(size, alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return OrThrow(AllocateAligned(size, alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateAligned(size, alignment);
}

void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Free(block); }
void operator delete(void* block, std::align_val_t) noexcept { Free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { Free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { Free(block); }
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept { Free(block); }
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  Free(block);
}
