#pragma once
// The beat flasher's light: a beat lights it, a timer fades it every 32 ms.
// The fade runs on the timer's thread and on the user-interface thread; the
// values are atomics, and painting is only requested, never waited for, so
// that stopping the timer can never wait on a paint.
#include <atomic>
#include <cstdint>
#include <functional>

#include "flasher/multimedia_timer.h"

namespace corvane {

class FlashFade {
 public:
  static constexpr double kFadeFactor = 4.0;
  static constexpr uint16_t kIntervalMs = 32;

  // requestPaint is called after every fade step, from either thread; it
  // must return at once.
  explicit FlashFade(std::function<void()> requestPaint);
  ~FlashFade();  // stops the timer and waits for a step in progress

  // The beat step: an accented or plain cell (kind 1 or 2) restarts the light
  // at full intensity; anything else lifts it a fifth of the way.
  void Update(int shownBeatKind);
  void FadeStep();

  uint8_t Brightness() const { return brightness_.load(std::memory_order_relaxed); }
  double Intensity() const { return intensity_.load(std::memory_order_relaxed); }
  bool Fading() const { return timer_.Enabled(); }
  void Stop() { timer_.SetEnabled(false); }

 private:
  std::function<void()> requestPaint_;
  std::atomic<double> target_{0.0};
  std::atomic<double> intensity_{1.0};
  std::atomic<uint8_t> brightness_{0};
  TMultimediaTimer timer_;
};

// The disc's colour as a platform colour (0x00BBGGRR): black with the light
// off; else by kind (1 accented, 2 or 3 normal, others black), the tap colour
// while tapping; then every channel c becomes max(0, c + B - 255).
uint32_t FlashColour(bool light, int shownBeatKind, bool tapping, uint32_t accented, uint32_t normal,
                     uint32_t tap, uint8_t brightness);

// The largest square centred in a client area of w x h, at its top or left.
struct SquareArea {
  int left, top, side;
};
SquareArea LargestCentredSquare(int width, int height);

}  // namespace corvane
