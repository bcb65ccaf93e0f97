#include "ui/main/slider_geometry.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

int TempoKnobLeft(double bpm, double minBpm, double maxBpm, const Track& t) {
  const int travel = t.width - t.knobWidth;
  const double span = maxBpm - minBpm;
  const double raw = span > 0 ? (bpm - minBpm) / span * travel + t.left : t.left;
  // Clamp before converting: a tempo far outside the limits must not overflow.
  return RoundEven(std::clamp(raw, double(t.left), double(t.left + travel)));
}

double TempoAtKnobLeft(int x, double minBpm, double maxBpm, const Track& t) {
  const int travel = t.width - t.knobWidth;
  return RoundEven(double(x - t.left) * (maxBpm - minBpm) / travel) + minBpm;
}

double TempoAtTrackClick(int x, double minBpm, double maxBpm, const Track& t) {
  return TempoAtKnobLeft(x - t.knobWidth / 2, minBpm, maxBpm, t);
}

int ClampVolume(int volume) { return std::clamp(volume, kMinVolume, 0); }

int VolumeKnobTop(int volume, const Track& t) {
  return RoundEven(double(volume) / kMinVolume * (t.height - t.knobHeight) + t.top);
}

int VolumeAtKnobTop(int y, const Track& t) {
  return RoundEven(double(y - t.top) * kMinVolume / (t.height - t.knobHeight));
}

int VolumeAtTrackClick(int y, const Track& t) { return VolumeAtKnobTop(y - t.knobHeight / 2, t); }

}  // namespace corvane
