#include "ui/main/key_commands.h"

namespace corvane {

namespace {

using R = RhythmCommand;

// Digits 1..8: plain gives a meter, modified gives a subdivision; 3 and 4
// only with Ctrl alone or Alt alone.
KeyResult DigitCommand(int digit, Modifiers m) {
  static constexpr R beats[] = {R::actSetBeats1, R::actSetBeats2, R::actSetBeats3, R::actSetBeats4,
                                R::actSetBeats5, R::actSetBeats6, R::actSetBeats7, R::actSetBeats8};
  if (m.None()) return beats[digit - 1];
  switch (digit) {
    case 1: return R::actSetSubSingle;
    case 2: return R::actSetSubsDuple;
    case 3:
      if (m.CtrlAlone()) return R::actSetSubsTriple;
      if (m.AltAlone()) return R::actSetSubsShuffle;
      return {};
    case 4:
      if (m.CtrlAlone()) return R::actSetSubsQuadruple;
      if (m.AltAlone()) return R::actSetSubsQuad4th;
      return {};
    case 5: return R::actQuintuple;
    case 6: return R::actSextuple;
    case 7: return R::actSeptuple;
    case 8: return R::actOctuple;
    default: return {};
  }
}

}  // namespace

KeyResult KeyCommandFor(Key key, Modifiers m) {
  switch (key) {
    case Key::Enter:
    case Key::T: return KeyCommand{KeyAction::TapPress};
    case Key::Space: return KeyCommand{KeyAction::StartStop};
    case Key::PageUp: return KeyCommand{KeyAction::TempoStep, 8, true};
    case Key::PageDown: return KeyCommand{KeyAction::TempoStep, -8, true};
    case Key::Right: return KeyCommand{KeyAction::TempoStep, m.ctrl ? 8.0 : 1.0, false};
    case Key::Left: return KeyCommand{KeyAction::TempoStep, m.ctrl ? -8.0 : -1.0, false};
    case Key::Up: return KeyCommand{KeyAction::VolumeStep, m.ctrl ? 500.0 : 100.0};
    case Key::Down: return KeyCommand{KeyAction::VolumeStep, m.ctrl ? -500.0 : -100.0};
    case Key::Digit0:
    case Key::Grave: return R::actSetSubsNone;
    case Key::Digit1: case Key::Digit2: case Key::Digit3: case Key::Digit4:
    case Key::Digit5: case Key::Digit6: case Key::Digit7: case Key::Digit8:
      return DigitCommand(static_cast<int>(key) - static_cast<int>(Key::Digit0), m);
    case Key::D: return KeyCommand{KeyAction::Diary};
    case Key::E: return KeyCommand{KeyAction::Export};
    case Key::M: return KeyCommand{KeyAction::MeterEditor};
    case Key::O: return KeyCommand{KeyAction::Options};
    case Key::Equals:
      if (m.ShiftAlone()) return KeyCommand{KeyAction::DoubleTempo};
      return {};
    case Key::Minus:
      if (m.ShiftAlone()) return KeyCommand{KeyAction::HalfTempo};
      return {};
    default: return {};
  }
}

}  // namespace corvane
