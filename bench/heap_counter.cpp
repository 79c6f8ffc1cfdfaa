#include "heap_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
bool counting = false;  // set once, before the run measured
std::atomic<long long> live{0};
std::atomic<long long> peak{0};
std::atomic<long long> allocations{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);  // where a block keeps its size
}  // namespace

namespace heap_counter {
void Start() { counting = true; }
long long Live() { return live; }
long long Peak() { return peak; }
long long Allocations() { return allocations; }
void ResetPeak() { peak = live.load(); }
}  // namespace heap_counter

void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (!block) throw std::bad_alloc();
  std::memcpy(block, &size, sizeof size);
  if (counting) {
    const long long now = live += static_cast<long long>(size);
    long long most = peak.load();
    while (now > most && !peak.compare_exchange_weak(most, now)) {
    }
    ++allocations;
  }
  return block + kHeader;
}

void operator delete(void* pointer) noexcept {
  if (!pointer) return;
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  std::size_t size;
  std::memcpy(&size, block, sizeof size);
  if (counting) live -= static_cast<long long>(size);
  std::free(block);
}

void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete[](void* pointer) noexcept { ::operator delete(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { ::operator delete(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { ::operator delete(pointer); }
