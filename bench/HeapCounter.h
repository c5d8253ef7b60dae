// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// Counts the bytes held through the global operator new of this process: the
// benchmark binary replaces operator new and delete (HeapCounter.cpp) so a
// benchmark can measure what a piece of work keeps on the heap. Bytes are the
// sizes asked for, without the allocator's own overhead; over-aligned
// allocations (operator new with std::align_val_t) are not counted.
// Thread-safe; never fails.
#pragma once

#include <cstdint>

namespace heap {

// Bytes allocated and not yet freed.
std::int64_t LiveBytes();

// The most LiveBytes() has been since the last ResetPeak().
std::int64_t PeakBytes();
void ResetPeak();

}  // namespace heap
