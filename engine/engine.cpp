#include "engine/engine.h"

namespace corvane {

EngineGlobals& Engine() {
  static EngineGlobals globals;
  return globals;
}

void ResetEngine() {
  Engine().Settings.ResetToDefaults();
  Engine().Sounds.Clear();
}

}  // namespace corvane
