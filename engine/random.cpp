#include "engine/random.h"

#include <atomic>
#include <chrono>

namespace corvane {
namespace {
std::atomic<uint32_t> seed{0};
}

void RandSeed(uint32_t value) { seed.store(value, std::memory_order_relaxed); }

double Random() {
  uint32_t old = seed.load(std::memory_order_relaxed);
  uint32_t next;
  do {
    next = old * 134775813u + 1u;
  } while (!seed.compare_exchange_weak(old, next, std::memory_order_relaxed));
  return next / 4294967296.0;
}

void RandomizeFromClock() {
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() ^
               std::chrono::system_clock::now().time_since_epoch().count();
  RandSeed(static_cast<uint32_t>(ticks ^ (ticks >> 32)));
}

}  // namespace corvane
