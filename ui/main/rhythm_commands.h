#pragma once
// The quick rhythm commands: ready-made meters, subdivisions and styles, and
// the menu's checkmark rules. Plain data over the engine settings.
#include <optional>
#include <span>
#include <string_view>

namespace corvane {

struct EngineSettings;

enum class RhythmCommand {
  // beats
  actSetBeats1, actSetBeats2, actSetBeats3, actSetBeats4, actSetBeats5,
  mniN2d5, mniN3d5, actSetBeats6, actSetBeats7, actSetBeats8,
  // subdivisions
  actSetSubsNone, actSetSubSingle, actSetSubsDuple, actSetSubsTriple, actSetSubsQuadruple,
  actQuintuple, actSextuple, actSeptuple, actSetSubsShuffle, actSetSubsQuad4th, actOctuple,
  // styles
  mniSonclave32Click, mniSonclave23Click, mniRumbaclaveClick, mniRumbaclave23Click,
  mniN68AfroclaveClick, mniMerengueClick, mniBossaNovaclaveClick, mniSambaClick, mniTangoClick,
  mniFlamencoSoleaClick, mniFlamencoSeguiriyaClick,
};

enum class RhythmGroup { Beats, Subdivisions, LatinStyles, FlamencoStyles };

struct RhythmCommandInfo {
  RhythmCommand command;
  std::string_view name;  // the action's name
  RhythmGroup group;
  std::string_view menuCaption;  // empty: key only
  // What the command writes; a field it leaves alone is empty.
  std::optional<std::string_view> meter;
  int beatDivisor = 0;  // with meter
  std::optional<std::string_view> subbeats;
};

// Every command, each group in its menu order (key-only commands last).
std::span<const RhythmCommandInfo> RhythmCommands();
const RhythmCommandInfo& InfoOf(RhythmCommand command);

// Writes the command's fields into the settings (RhythmChanged is the caller's).
void ApplyRhythmCommand(RhythmCommand command, EngineSettings& settings);

// The menu's checkmark for a command in the current rhythm: beats items when
// meter and divisor match, subdivision items when the pattern matches, style
// items never.
bool IsChecked(RhythmCommand command, std::string_view meter, int beatDivisor, std::string_view subbeats);

// Tempo commands: values handed to SetTempo without the limits.
double DoubledTempo(double bpm);
double HalvedTempo(double bpm);  // rounded, halves to even

}  // namespace corvane
