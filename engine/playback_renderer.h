#pragma once
// What live playback renders: the playback start state, the blocks of the
// ring buffer and the queue of beat notifications with their ring positions.
#include <cstdint>
#include <deque>

#include "engine/renderer.h"

namespace corvane {

struct EngineSettings;
class SoundBank;

class PlaybackRenderer : public RenderListener {
 public:
  PlaybackRenderer(const EngineSettings& settings, const SoundBank& sounds)
      : settings_(settings), sounds_(sounds) {}

  // The state a playback starts from: position reset, fade-out divisor
  // 1.0001, and cell 1 queued at position 0.
  void StartState();

  // Renders size1 / 2 samples into w1; notifications are queued at byte
  // positions dsbufpos + 2 * sample.
  void FillMemBuffer(int16_t* w1, uint32_t size1);

  bool FadeoutFinished() const { return position.fadeoutEnded; }

  RenderPosition position;
  uint32_t dsbufpos = 0;
  std::deque<uint32_t> notf;  // byte positions of pending notifications
  std::deque<uint32_t> notb;  // their codes

 protected:
  void BeatNotification(uint32_t sampleInBlock, uint32_t code) override;
  void FadeoutEnded() override {}

  const EngineSettings& settings_;
  const SoundBank& sounds_;
};

}  // namespace corvane
