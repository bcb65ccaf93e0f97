#pragma once
// The live engine values: written by the user-interface thread at any time,
// read by the renderer while it plays. Numbers and flags are atomics;
// texts are snapshots replaced whole.
#include <atomic>
#include <string>

#include "engine/shared_value.h"

namespace corvane {

class SettingsStore;

namespace defaults {
inline constexpr double BPM = 120;
inline constexpr const char* Meter = "Xxxx";
inline constexpr int BeatDivisor = 1;
inline constexpr double VolRatioDownbeat = 1;
inline constexpr double VolRatioBeat = 0.56;
inline constexpr double VolRatioSubbeat = 0.18;
inline constexpr double VolRatioBell = 0.35;
inline constexpr const char* Sound1File = "Click 02b.mwav";
inline constexpr const char* Sound2File = "Clave 01 Hi.mwav";
inline constexpr const char* BellFile = "bell.mwav";
inline constexpr int MasterVol = -1000;
inline constexpr int MasterPan = 0;
inline constexpr int FXDepth = 8;
inline constexpr double MinBPM = 40;
inline constexpr double MaxBPM = 208;
inline constexpr int BufferSize = 32768;
}  // namespace defaults

using Text = SharedValue<std::string>;

struct EngineSettings {
  std::atomic<double> BPM{defaults::BPM};
  Text Meter{defaults::Meter};
  Text Subbeats{""};
  std::atomic<int> BeatDivisor{defaults::BeatDivisor};
  std::atomic<double> VolRatioDownbeat{defaults::VolRatioDownbeat};
  std::atomic<double> VolRatioBeat{defaults::VolRatioBeat};
  std::atomic<double> VolRatioSubbeat{defaults::VolRatioSubbeat};
  std::atomic<double> VolRatioBell{defaults::VolRatioBell};
  std::atomic<bool> MixWithBeat{false};
  std::atomic<bool> BellOnFirst{true};
  std::atomic<bool> AutoFadeout{false};
  std::atomic<bool> Boost6dB{false};
  Text Sound1File{defaults::Sound1File};
  Text Sound2File{defaults::Sound2File};
  Text AudioDev{""};
  std::atomic<int> MasterVol{defaults::MasterVol};
  std::atomic<int> MasterPan{defaults::MasterPan};
  std::atomic<bool> FXAllowed{true};
  std::atomic<int> FXDepth{defaults::FXDepth};
  std::atomic<double> MinBPM{defaults::MinBPM};
  std::atomic<double> MaxBPM{defaults::MaxBPM};
  std::atomic<double> BPMSpan{defaults::MaxBPM - defaults::MinBPM};
  std::atomic<int> BufferSize{defaults::BufferSize};

  void ResetToDefaults();

  // Sets the rhythm texts, keeping them within what the renderer expects:
  // a meter of 1 to 99 cells, a subdivision of at most 99 symbols.
  void SetMeter(std::string meter);
  void SetSubbeats(std::string subbeats);
  void SetBeatDivisor(int divisor);  // raised to at least 1
};

// Reads every persistent field from the store, in the load order.
void LoadEngineSettings(EngineSettings& s, const SettingsStore& store);
// Writes every persistent field, in the save order, as one save.
void SaveEngineSettings(const EngineSettings& s, SettingsStore& store, const std::string& audioDevText);

// Holds the tempo limits within 1..40 and 208..999 and keeps their span.
void SetTempoLimits(EngineSettings& s, double minBpm, double maxBpm);

}  // namespace corvane
