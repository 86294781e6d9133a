// The benchmark executable replaces the global operator new and delete with versions that
// count every allocation, so a benchmark can report how many its timed code makes.
#pragma once

#include <cstdint>

// Allocations made through operator new (every form, every thread) since the program began.
uint64_t AllocationCount();

// Bytes the heap holds now (as the allocator counts a block, its usable size), and the most it
// has held since the last ResetPeakHeap.
uint64_t HeapBytes();
uint64_t PeakHeapBytes();
void ResetPeakHeap();
