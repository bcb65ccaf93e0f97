#include "ui/main/display_text.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace corvane {

std::string ElapsedText(std::chrono::steady_clock::duration elapsed) {
  using namespace std::chrono;
  long long seconds = duration_cast<std::chrono::seconds>(elapsed).count();
  if (seconds < 0) seconds = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
  return text;
}

int SubbeatPictureIndex(std::string_view subbeats) {
  static constexpr std::array<std::string_view, 7> kPatterns{"", "s", "ss", "sss", "ssss", "s_s", "s__s"};
  for (size_t i = 0; i < kPatterns.size(); ++i)
    if (subbeats == kPatterns[i]) return static_cast<int>(i);
  return -1;
}

long long FramesPerBeat(long long framesPerSecond, double bpm) {
  return std::llround(std::nearbyint(double(framesPerSecond) * 60 / bpm));
}

}  // namespace corvane
