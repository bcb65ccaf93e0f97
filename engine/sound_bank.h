#pragma once
// The three click sounds: loading (decoding, trimming, boost) and their
// publication to the renderer as immutable sample arrays.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/shared_value.h"
#include "wave/wave.h"

namespace corvane {

struct EngineSettings;

struct SoundSamples {
  std::vector<int16_t> samples;
};
using SoundSnapshot = std::shared_ptr<const SoundSamples>;

// Loads a sound file into wave: ".mwav" (exact, case-sensitive) data is
// decoded from second differences, leading silence (|s| <= 150) is trimmed in
// whole milliseconds, and boost6dB doubles every sample. Throws WaveFileError
// when the file cannot be opened (wave keeps what it held); a file that is not
// a RIFF WAVE image leaves wave invalid.
void LoadSound(TWave& wave, const std::filesystem::path& fileName, bool boost6dB);

// Second-difference coding of ".mwav" files, in 16-bit wrap-around arithmetic.
void DecodeSecondDifferences(uint8_t* data, uint32_t sampleCount);
std::vector<int16_t> EncodeSecondDifferences(const std::vector<int16_t>& samples);

// The wave's data as 16-bit samples (empty when not valid).
std::vector<int16_t> SamplesOf(const TWave& wave);

enum class SoundSlot { Sound1 = 0, Sound2 = 1, Bell = 2 };

class SoundBank {
 public:
  // Loads the files of Sound1File, Sound2File and the bell that exist,
  // resolving bare names against the current directory. A file that exists
  // but cannot be read leaves its sound empty, with a diagnostic line.
  void Startup(const EngineSettings& settings, const std::filesystem::path& bellFile);

  // Loads a file into one sound and publishes it. Throws WaveFileError when
  // the file cannot be opened; the sound then keeps what it had.
  void Load(SoundSlot slot, const std::filesystem::path& fileName, bool boost6dB);

  void Clear();

  SoundSnapshot Samples(SoundSlot slot) const { return published_[Index(slot)].Load(); }
  bool Valid(SoundSlot slot) const { return waves_[Index(slot)].Valid(); }

 private:
  static size_t Index(SoundSlot slot) { return static_cast<size_t>(slot); }
  void Publish(SoundSlot slot);

  TWave waves_[3];
  SharedValue<SoundSamples> published_[3];
};

}  // namespace corvane
