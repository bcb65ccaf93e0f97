#include "engine/engine.h"

#include "engine/audio_engine.h"
#include "engine/poll_timer.h"
#include "engine/streaming.h"

namespace corvane {

EngineGlobals::EngineGlobals() : ClockPoll(std::make_unique<ClockPollTimer>()) {}
EngineGlobals::~EngineGlobals() = default;

EngineGlobals& Engine() {
  static EngineGlobals globals;
  return globals;
}

void ResetEngine() {
  EngineGlobals& e = Engine();
  ReleaseOutput();
  e.Ui = nullptr;
  e.Backend = nullptr;
  e.DeviceGuidTexts.clear();
  e.DeviceNames.clear();
  e.SelectedDevice = 0;
  e.OutputReady = false;
  e.OutputInitError = 0;
  e.ShownBeat = 0;
  e.ShownBeatKind = 0;
  e.PlayStartTicks = 0;
  e.Poll = nullptr;
  e.Settings.ResetToDefaults();
  e.Sounds.Clear();
}

}  // namespace corvane
