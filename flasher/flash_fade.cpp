#include "flasher/flash_fade.h"

#include <algorithm>
#include <cmath>

namespace corvane {

FlashFade::FlashFade(std::function<void()> requestPaint) : requestPaint_(std::move(requestPaint)) {
  timer_.SetOnTimer([this](TMultimediaTimer&) { FadeStep(); });
  timer_.SetResolution(16);
  timer_.SetInterval(kIntervalMs);
}

FlashFade::~FlashFade() { timer_.SetEnabled(false); }

void FlashFade::Update(int shownBeatKind) {
  target_ = 1.0;
  if (shownBeatKind == 1 || shownBeatKind == 2) intensity_ = 1.0;
  FadeStep();
  target_ = 0.0;
  if (!timer_.Enabled()) timer_.SetEnabled(true);
}

void FlashFade::FadeStep() {
  const double i = (kFadeFactor * intensity_.load() + target_.load()) / (kFadeFactor + 1);
  intensity_ = i;
  const auto b = static_cast<uint8_t>(std::trunc(255 * i));
  brightness_ = b;
  if (requestPaint_) requestPaint_();
  timer_.SetEnabled(b > 0);  // the light stops its own timer once black
}

uint32_t FlashColour(bool light, int kind, bool tapping, uint32_t accented, uint32_t normal, uint32_t tap,
                     uint8_t brightness) {
  uint32_t c = 0;
  if (light) {
    if (kind == 1) c = accented;
    if (kind == 2 || kind == 3) c = normal;
    if (tapping) c = tap;
  }
  uint32_t dimmed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int channel = static_cast<int>((c >> shift) & 0xFF) + brightness - 255;
    dimmed |= static_cast<uint32_t>(std::max(0, channel)) << shift;
  }
  return dimmed;
}

SquareArea LargestCentredSquare(int width, int height) {
  if (width >= height) return {(width - height) / 2, 0, height};
  return {0, (height - width) / 2, width};
}

}  // namespace corvane
