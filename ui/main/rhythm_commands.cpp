#include "ui/main/rhythm_commands.h"

#include <array>
#include <cmath>
#include <string>

#include "engine/engine_settings.h"

namespace corvane {

namespace {

using C = RhythmCommand;
using G = RhythmGroup;
constexpr std::nullopt_t none = std::nullopt;

constexpr std::array kCommands{
    RhythmCommandInfo{C::actSetBeats1, "actSetBeats1", G::Beats, "1", "x", 1, none},
    RhythmCommandInfo{C::actSetBeats2, "actSetBeats2", G::Beats, "2", "Xx", 1, none},
    RhythmCommandInfo{C::actSetBeats3, "actSetBeats3", G::Beats, "3", "Xxx", 1, none},
    RhythmCommandInfo{C::actSetBeats4, "actSetBeats4", G::Beats, "4", "Xxxx", 1, none},
    RhythmCommandInfo{C::actSetBeats5, "actSetBeats5", G::Beats, "3+2", "XxxXx", 1, none},
    RhythmCommandInfo{C::mniN2d5, "mniN2d5", G::Beats, "5/2", "X_x_x", 2, none},
    RhythmCommandInfo{C::mniN3d5, "mniN3d5", G::Beats, "7/2", "X_x_x_x", 2, none},
    RhythmCommandInfo{C::actSetBeats6, "actSetBeats6", G::Beats, "", "Xxxxxx", 1, none},
    RhythmCommandInfo{C::actSetBeats7, "actSetBeats7", G::Beats, "", "XxxxXxx", 1, none},
    RhythmCommandInfo{C::actSetBeats8, "actSetBeats8", G::Beats, "", "Xxxxxxxx", 1, none},
    RhythmCommandInfo{C::actSetSubsNone, "actSetSubsNone", G::Subdivisions, "None", none, 0, ""},
    RhythmCommandInfo{C::actSetSubSingle, "actSetSubSingle", G::Subdivisions, "Single", none, 0, "s"},
    RhythmCommandInfo{C::actSetSubsDuple, "actSetSubsDuple", G::Subdivisions, "Duple", none, 0, "ss"},
    RhythmCommandInfo{C::actSetSubsTriple, "actSetSubsTriple", G::Subdivisions, "Triple", none, 0, "sss"},
    RhythmCommandInfo{C::actSetSubsQuadruple, "actSetSubsQuadruple", G::Subdivisions, "Quadruple", none, 0, "ssss"},
    RhythmCommandInfo{C::actQuintuple, "actQuintuple", G::Subdivisions, "Quintuple", none, 0, "sssss"},
    RhythmCommandInfo{C::actSextuple, "actSextuple", G::Subdivisions, "Sextuple", none, 0, "ssssss"},
    RhythmCommandInfo{C::actSeptuple, "actSeptuple", G::Subdivisions, "Septuple", none, 0, "sssssss"},
    RhythmCommandInfo{C::actSetSubsShuffle, "actSetSubsShuffle", G::Subdivisions, "Triple 3th", none, 0, "s_s"},
    RhythmCommandInfo{C::actSetSubsQuad4th, "actSetSubsQuad4th", G::Subdivisions, "Quadruple 4th", none, 0, "s__s"},
    RhythmCommandInfo{C::actOctuple, "actOctuple", G::Subdivisions, "", none, 0, "ssssssss"},
    RhythmCommandInfo{C::mniSonclave32Click, "mniSonclave32Click", G::LatinStyles, "Son clave 3-2 ", "x__x__x___x_x___", 2, ""},
    RhythmCommandInfo{C::mniSonclave23Click, "mniSonclave23Click", G::LatinStyles, "Son clave 2-3", "__x_x___x__x__x_", 2, ""},
    RhythmCommandInfo{C::mniRumbaclaveClick, "mniRumbaclaveClick", G::LatinStyles, "Rumba clave 3-2", "x__x___x__x_x___", 2, ""},
    RhythmCommandInfo{C::mniRumbaclave23Click, "mniRumbaclave23Click", G::LatinStyles, "Rumba clave 2-3", "__x_x___x__x___x", 2, ""},
    RhythmCommandInfo{C::mniN68AfroclaveClick, "mniN68AfroclaveClick", G::LatinStyles, "6/8 Afro clave", "x_x_x__x_x__", 3, ""},
    RhythmCommandInfo{C::mniMerengueClick, "mniMerengueClick", G::LatinStyles, "Merengue", "X__x__x_", 2, ""},
    RhythmCommandInfo{C::mniBossaNovaclaveClick, "mniBossaNovaclaveClick", G::LatinStyles, "Bossa Nova clave", "x__x__x___x__x__", 2, ""},
    RhythmCommandInfo{C::mniSambaClick, "mniSambaClick", G::LatinStyles, "Samba", "X__xx__x", 4, ""},
    RhythmCommandInfo{C::mniTangoClick, "mniTangoClick", G::LatinStyles, "Tango", "X__xx_x_", 2, ""},
    RhythmCommandInfo{C::mniFlamencoSoleaClick, "mniFlamencoSoleaClick", G::FlamencoStyles, "Sole\xC3\xA1", "__X__X_X_X_X", 3, "sss"},
    RhythmCommandInfo{C::mniFlamencoSeguiriyaClick, "mniFlamencoSeguiriyaClick", G::FlamencoStyles, "Seguiriya", "X_X_X__X__X_", 3, "sss"},
};

}  // namespace

std::span<const RhythmCommandInfo> RhythmCommands() { return kCommands; }

const RhythmCommandInfo& InfoOf(RhythmCommand command) {
  for (const auto& info : kCommands)
    if (info.command == command) return info;
  return kCommands.front();  // unreachable: every enumerator has a row
}

void ApplyRhythmCommand(RhythmCommand command, EngineSettings& settings) {
  const RhythmCommandInfo& info = InfoOf(command);
  if (info.meter) {
    settings.SetMeter(std::string(*info.meter));
    settings.SetBeatDivisor(info.beatDivisor);
  }
  if (info.subbeats) settings.SetSubbeats(std::string(*info.subbeats));
}

bool IsChecked(RhythmCommand command, std::string_view meter, int beatDivisor, std::string_view subbeats) {
  const RhythmCommandInfo& info = InfoOf(command);
  switch (info.group) {
    case RhythmGroup::Beats:
      return meter == *info.meter && beatDivisor == info.beatDivisor;
    case RhythmGroup::Subdivisions:
      return subbeats == *info.subbeats;
    default:
      return false;
  }
}

double DoubledTempo(double bpm) { return bpm * 2; }
double HalvedTempo(double bpm) { return std::nearbyint(bpm / 2); }

}  // namespace corvane
