#pragma once
// The engine's program-wide values, kept in one place so that they can be
// reset as a whole (tests start every case from a fresh engine).
#include "engine/engine_settings.h"
#include "engine/sound_bank.h"

namespace corvane {

struct EngineGlobals {
  EngineSettings Settings;
  SoundBank Sounds;
};

EngineGlobals& Engine();

// Back to the state of a fresh start: default settings, no sounds.
void ResetEngine();

}  // namespace corvane
