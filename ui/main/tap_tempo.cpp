#include "ui/main/tap_tempo.h"

#include <chrono>
#include <cmath>

namespace corvane {

std::optional<double> TapSequence::RegisterTap(uint32_t tick, TapPrecision precision) {
  stamps_.push_back(tick);
  const size_t n = stamps_.size();
  if (n < 2) return std::nullopt;
  uint64_t sum = 0;
  for (size_t i = 1; i < n; ++i) sum += static_cast<uint32_t>(stamps_[i] - stamps_[i - 1]);  // wraps right
  if (sum == 0) return std::nullopt;
  const double mean = static_cast<double>(sum) / static_cast<double>(n - 1);
  const double tempo = 60000 / mean;
  return precision == TapPrecision::Integer ? std::nearbyint(tempo) : std::nearbyint(tempo * 10) / 10;
}

uint16_t TapTimeoutMs(double bpm) {
  const double ms = std::trunc(60000 / bpm * 3);
  if (!(ms < 65535)) return 65535;
  return static_cast<uint16_t>(ms);
}

uint32_t MillisecondTicks() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace corvane
