#pragma once
// The rhythm and sound options shared by "render" and "play", applied to
// the engine's live values.
#include <cstdint>
#include <optional>
#include <string>

#include "cli/cli_args.h"

namespace corvane::cli {

struct RenderSetup {
  double tempo = 120;
  std::string meter = "Xxxx";
  int divisor = 1;
  std::string subbeats;
  double gains[4] = {1, 0.56, 0.18, 0.35};
  bool mixWithBeat = false, bell = true, fadeout = false, boost = false;
  std::string sound1, sound2, bellFile;  // empty: the shipped sound
  std::optional<uint32_t> seed;
  std::optional<uint64_t> samples;
  uint32_t block = 8192;
  std::string notifications;

  // Takes one option (and its value) if it is a render option.
  bool Take(const std::string& option, ArgReader& args);

  // Writes the values into the engine and loads the sounds; throws
  // UsageError for a sound file that cannot be read or is no sound.
  void ApplyToEngine() const;
};

}  // namespace corvane::cli
