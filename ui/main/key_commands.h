#pragma once
// The keyboard map of the main window: which key with which modifiers runs
// which command. Keys are positions of a US keyboard's main block, so that a
// shifted digit is still its digit.
#include <optional>
#include <variant>

#include "ui/main/rhythm_commands.h"

namespace corvane {

enum class Key {
  Other, Enter, Space, PageUp, PageDown, Left, Right, Up, Down,
  Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
  Grave, Minus, Equals, D, E, M, O, T,
};

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool None() const { return !shift && !ctrl && !alt; }
  bool CtrlAlone() const { return ctrl && !shift && !alt; }
  bool AltAlone() const { return alt && !shift && !ctrl; }
  bool ShiftAlone() const { return shift && !ctrl && !alt; }
};

enum class KeyAction {
  TapPress, StartStop, Diary, Export, MeterEditor, Options,
  TempoStep,   // SetTempo(BPM + step, checklimits)
  VolumeStep,  // SetVolume(MasterVol + step)
  DoubleTempo, HalfTempo,
};

struct KeyCommand {
  KeyAction action;
  double step = 0;
  bool checkLimits = false;
};

using KeyResult = std::variant<std::monostate, KeyCommand, RhythmCommand>;

// What a key press does; monostate when it does nothing.
KeyResult KeyCommandFor(Key key, Modifiers mods);

}  // namespace corvane
