#pragma once
// The engine's program-wide values, kept in one place so that they can be
// reset as a whole (tests start every case from a fresh engine).
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/audio_output.h"
#include "engine/engine_settings.h"
#include "engine/sound_bank.h"

namespace corvane {

class EngineUi;
class PollTimer;
class TStreamingBuffer;

struct EngineGlobals {
  EngineGlobals();
  ~EngineGlobals();

  EngineSettings Settings;
  SoundBank Sounds;

  // Output: user-interface thread only.
  EngineUi* Ui = nullptr;
  AudioBackend* Backend = nullptr;
  std::vector<std::string> DeviceGuidTexts;
  std::vector<std::string> DeviceNames;
  int16_t SelectedDevice = 0;
  bool OutputReady = false;
  uint32_t OutputInitError = 0;
  std::unique_ptr<AudioDevice> Device;
  std::unique_ptr<SoundBuffer> StreamBuffer;  // replaced only while no thread plays it
  std::unique_ptr<SoundBuffer> TapBuffer;

  // Playback: written by the streaming thread, read anywhere.
  std::atomic<bool> Stopped{true};
  std::atomic<int16_t> ShownBeat{0};
  std::atomic<uint8_t> ShownBeatKind{0};
  std::atomic<std::chrono::steady_clock::rep> PlayStartTicks{0};

  // The current player and those asked to stop but not yet joined.
  std::mutex PlayerMutex;
  std::unique_ptr<TStreamingBuffer> Player;
  std::vector<std::unique_ptr<TStreamingBuffer>> Retired;
  PollTimer* Poll = nullptr;  // tests step the streaming thread by hand
  std::unique_ptr<PollTimer> ClockPoll;

  std::chrono::steady_clock::time_point PlayStartTime() const {
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(PlayStartTicks.load()));
  }
};

EngineGlobals& Engine();

// Back to the state of a fresh start: playback stopped, output released,
// default settings, no sounds.
void ResetEngine();

}  // namespace corvane
