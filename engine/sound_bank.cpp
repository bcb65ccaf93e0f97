#include "engine/sound_bank.h"

#include <cstring>
#include <system_error>

#include "engine/engine_settings.h"
#include "settings/diagnostics.h"

namespace corvane {

namespace {
constexpr int kQuietLevel = 150;

int16_t SampleAt(const uint8_t* data, uint32_t k) {
  return static_cast<int16_t>(data[2 * k] | data[2 * k + 1] << 8);
}
void StoreAt(uint8_t* data, uint32_t k, int16_t v) {
  data[2 * k] = static_cast<uint8_t>(v & 0xFF);
  data[2 * k + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}
int16_t Wrap(int v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }
}  // namespace

void DecodeSecondDifferences(uint8_t* data, uint32_t n) {
  for (uint32_t k = 2; k < n; ++k) StoreAt(data, k, Wrap(SampleAt(data, k) + SampleAt(data, k - 1)));
  for (uint32_t k = 1; k < n; ++k) StoreAt(data, k, Wrap(SampleAt(data, k) + SampleAt(data, k - 1)));
}

std::vector<int16_t> EncodeSecondDifferences(const std::vector<int16_t>& y) {
  std::vector<int16_t> e(y.size());
  for (size_t k = 0; k < y.size(); ++k) {
    int v = y[k];
    if (k >= 1) v -= (k >= 2 ? 2 : 1) * y[k - 1];
    if (k >= 2) v += y[k - 2];
    e[k] = Wrap(v);
  }
  return e;
}

std::vector<int16_t> SamplesOf(const TWave& wave) {
  std::vector<int16_t> out(wave.DataSize() / 2);
  if (const uint8_t* data = wave.Data(); data && !out.empty()) std::memcpy(out.data(), data, out.size() * 2);
  return out;
}

void LoadSound(TWave& wave, const std::filesystem::path& fileName, bool boost6dB) {
  wave.LoadFromFile(fileName);
  if (!wave.Valid()) return;
  const uint32_t n = wave.DataSize() / 2;
  if (fileName.extension().string() == ".mwav" && n > 0) DecodeSecondDifferences(wave.MutableData(), n);

  // Quiet lead-in, summed the way it always was: repeated addition of one
  // sample's length, truncated to whole milliseconds.
  double quietMs = 0;
  const uint8_t* data = wave.Data();
  for (uint32_t k = 0; k < n; ++k) {
    int s = SampleAt(data, k);
    if (s > kQuietLevel || s < -kQuietLevel) break;
    quietMs += 1000.0 / 44100;
  }
  wave.Delete(0, static_cast<uint32_t>(quietMs));
  if (boost6dB) wave.ChangeVolume(100);
}

void SoundBank::Publish(SoundSlot slot) {
  published_[Index(slot)].Set(SoundSamples{SamplesOf(waves_[Index(slot)])});
}

void SoundBank::Load(SoundSlot slot, const std::filesystem::path& fileName, bool boost6dB) {
  // Load into a fresh object so that a failed open keeps the old sound.
  TWave fresh;
  LoadSound(fresh, fileName, boost6dB);
  waves_[Index(slot)] = std::move(fresh);
  Publish(slot);
}

void SoundBank::Startup(const EngineSettings& settings, const std::filesystem::path& bellFile) {
  const bool boost = settings.Boost6dB;
  const std::filesystem::path files[3] = {settings.Sound1File.Get(), settings.Sound2File.Get(), bellFile};
  for (size_t i = 0; i < 3; ++i) {
    std::error_code ec;
    if (!std::filesystem::exists(files[i], ec)) continue;
    try {
      Load(static_cast<SoundSlot>(i), files[i], boost);
    } catch (const WaveFileError& e) {
      DebugStr(e.what());
    }
  }
}

void SoundBank::Clear() {
  for (size_t i = 0; i < 3; ++i) {
    waves_[i] = TWave();
    Publish(static_cast<SoundSlot>(i));
  }
}

}  // namespace corvane
