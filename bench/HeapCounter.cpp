// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "HeapCounter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace heap {

namespace {

std::atomic<std::int64_t> live{0};
std::atomic<std::int64_t> peak{0};

// Each block carries its size in front, so delete knows what it gives back; the
// header keeps the block aligned for any fundamental type.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) noexcept {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) return nullptr;
  *reinterpret_cast<std::size_t*>(block) = size;
  const std::int64_t now = live.fetch_add(static_cast<std::int64_t>(size)) + static_cast<std::int64_t>(size);
  std::int64_t highest = peak.load();
  while (now > highest && !peak.compare_exchange_weak(highest, now)) {
  }
  return block + kHeader;
}

void Free(void* pointer) noexcept {
  if (pointer == nullptr) return;
  unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
  live.fetch_sub(static_cast<std::int64_t>(*reinterpret_cast<std::size_t*>(block)));
  std::free(block);
}

void* AllocateOrThrow(std::size_t size) {
  void* pointer = Allocate(size);
  if (pointer == nullptr) throw std::bad_alloc();
  return pointer;
}

}  // namespace

std::int64_t LiveBytes() { return live.load(); }
std::int64_t PeakBytes() { return peak.load(); }
void ResetPeak() { peak.store(live.load()); }

}  // namespace heap

void* operator new(std::size_t size) { return heap::AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return heap::AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return heap::Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return heap::Allocate(size); }
void operator delete(void* pointer) noexcept { heap::Free(pointer); }
void operator delete[](void* pointer) noexcept { heap::Free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { heap::Free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { heap::Free(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { heap::Free(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { heap::Free(pointer); }
