#pragma once
// The beat renderer: turns the rhythm, gains, flags and sounds into mono
// 16-bit 44,100 Hz samples, block by block, over a position state. Live
// playback and the offline export both mix through MixBlock, each with its
// own state, so what is exported is what is heard.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/sound_bank.h"

namespace corvane {

struct EngineSettings;

inline constexpr uint32_t kSampleRate = 44100;
inline constexpr double kSamplesPerMinute = 2646000.0;  // 44,100 x 60
inline constexpr uint32_t kSubbeatSymbolCode = 's';

// The renderer's position in the rhythm; kept between blocks.
struct RenderPosition {
  uint32_t played = 0;     // samples since the current cell began
  uint32_t playedsub = 0;  // read offset into Sound 1 for the current subbeat
  uint32_t playedbar = 0;  // read offset into the bell since the bar began
  int16_t CellIndex = 1;   // 1-based cell of the meter
  int16_t SubbeatIndex = 1;  // 1-based next subbeat within the beat
  double FadeDivisor = 1.0001;
  bool fadeoutEnded = false;  // the end of the fade-out has been reported

  void Reset() { *this = RenderPosition{}; }
};

// Everything one block is rendered from, taken once at the block's start:
// a consistent view even while the user-interface thread changes settings.
struct RenderInputs {
  double BPM = 120;
  int BeatDivisor = 1;
  std::shared_ptr<const std::string> Meter;
  std::shared_ptr<const std::string> Subbeats;
  SoundSnapshot Sound1, Sound2, Bell;
  double VolRatioDownbeat = 1, VolRatioBeat = 0.56, VolRatioSubbeat = 0.18, VolRatioBell = 0.35;
  bool MixWithBeat = false, BellOnFirst = true, AutoFadeout = false;

  static RenderInputs Take(const EngineSettings& settings, const SoundBank& sounds);
};

class RenderListener {
 public:
  virtual ~RenderListener() = default;
  // A cell began, or a sounding subbeat started, at that sample of the block.
  virtual void BeatNotification(uint32_t sampleInBlock, uint32_t code) = 0;
  // The automatic fade-out has run out (reported once per playback).
  virtual void FadeoutEnded() = 0;
};

// Notification code: cell number in bits 0-15, symbol in bits 16-31.
inline uint32_t NotificationCode(int cell, unsigned char symbol) {
  return static_cast<uint16_t>(cell) + 65536u * symbol;
}

// Beat length in samples for a tempo, and the tempo the renderer uses for a
// stored value (held within 1..999; not a number gives 120).
long double BeatLengthSamples(double bpm);
double RenderableBpm(double bpm);

// Mixes count samples into out. Notifications and the fade-out end go to
// listener when there is one; the fade-out divisor is squared and applied
// only when applyFadeout is set.
void MixBlock(RenderPosition& pos, const RenderInputs& in, int16_t* out, uint32_t count,
              RenderListener* listener, bool applyFadeout);

}  // namespace corvane
