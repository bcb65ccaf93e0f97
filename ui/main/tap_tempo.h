#pragma once
// Tap tempo: the tempo from the mean of every interval since the first tap
// of a sequence, on a 32-bit millisecond tick count that may wrap.
#include <cstdint>
#include <optional>
#include <vector>

namespace corvane {

enum class TapPrecision { Integer = 0, Fractional = 1 };

class TapSequence {
 public:
  // Records a tap at tick (ms). From the second tap on, returns the rounded
  // tempo (halves to even); nothing for the first tap, or while every
  // interval so far is zero (taps within one tick: no tempo can be had).
  std::optional<double> RegisterTap(uint32_t tick, TapPrecision precision);
  int Taps() const { return static_cast<int>(stamps_.size()); }

 private:
  std::vector<uint32_t> stamps_;
};

// Three beats at bpm, truncated to whole ms, as the 16-bit interval of the
// time-out timer. Below 2.75 BPM three beats exceed 65535 ms: the time-out is
// then the longest the timer can wait.
uint16_t TapTimeoutMs(double bpm);

// The platform's millisecond tick count (since an arbitrary start, wrapping
// every 49.7 days).
uint32_t MillisecondTicks();

}  // namespace corvane
