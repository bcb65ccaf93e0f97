#include "engine/renderer.h"

#include <cmath>

#include "engine/engine_settings.h"
#include "engine/random.h"

namespace corvane {

namespace {

const std::string kEmpty;

// Symbol at a 1-based index; outside the text (a pattern shortened while it
// plays) it is '\0', which plays nothing.
inline unsigned char SymbolAt(const std::string& s, int index) {
  return index >= 1 && static_cast<size_t>(index) <= s.size() ? static_cast<unsigned char>(s[static_cast<size_t>(index) - 1]) : 0;
}

// Round half to even for |v| < 2^51 without relying on the FPU mode or libm:
// adding and removing 1.5 * 2^52 leaves the nearest even-tie integer.
inline double RoundHalfEven(double v) {
  constexpr double kMagic = 6755399441055744.0;
  return (v + kMagic) - kMagic;  // exact: no fast-math reassociation in this build
}

inline int16_t ToSample(double acc) {
  if (acc > 32767.0) return 32767;
  if (acc < -32768.0) return -32768;
  return static_cast<int16_t>(RoundHalfEven(acc));
}

// Start of subbeat k (1-based) counted from the beat's start.
inline uint32_t SubbeatOffset(long double x, int k, size_t n) {
  return static_cast<uint32_t>(x * (k < 1 ? 0 : k - 1) / static_cast<long double>(n));
}

}  // namespace

double RenderableBpm(double bpm) {
  if (std::isnan(bpm)) return 120;
  return bpm < 1 ? 1 : bpm > 999 ? 999 : bpm;
}

long double BeatLengthSamples(double bpm) { return 2646000.0L / RenderableBpm(bpm); }

RenderInputs RenderInputs::Take(const EngineSettings& s, const SoundBank& sounds) {
  RenderInputs in;
  in.BPM = s.BPM.load(std::memory_order_relaxed);
  in.BeatDivisor = s.BeatDivisor.load(std::memory_order_relaxed);
  in.Meter = s.Meter.Load();
  in.Subbeats = s.Subbeats.Load();
  in.Sound1 = sounds.Samples(SoundSlot::Sound1);
  in.Sound2 = sounds.Samples(SoundSlot::Sound2);
  in.Bell = sounds.Samples(SoundSlot::Bell);
  in.VolRatioDownbeat = s.VolRatioDownbeat.load(std::memory_order_relaxed);
  in.VolRatioBeat = s.VolRatioBeat.load(std::memory_order_relaxed);
  in.VolRatioSubbeat = s.VolRatioSubbeat.load(std::memory_order_relaxed);
  in.VolRatioBell = s.VolRatioBell.load(std::memory_order_relaxed);
  in.MixWithBeat = s.MixWithBeat.load(std::memory_order_relaxed);
  in.BellOnFirst = s.BellOnFirst.load(std::memory_order_relaxed);
  in.AutoFadeout = s.AutoFadeout.load(std::memory_order_relaxed);
  return in;
}

void MixBlock(RenderPosition& p, const RenderInputs& in, int16_t* out, uint32_t count,
              RenderListener* listener, bool applyFadeout) {
  const long double x = BeatLengthSamples(in.BPM);
  const uint32_t E = static_cast<uint32_t>(x);
  const long double fracX = x - E;
  const int D = in.BeatDivisor < 1 ? 1 : in.BeatDivisor;
  const uint32_t L = static_cast<uint32_t>(std::nearbyintl(static_cast<long double>(E) / D));

  const std::string& meter = in.Meter ? *in.Meter : kEmpty;
  const std::string& subbeats = in.Subbeats ? *in.Subbeats : kEmpty;
  const int meterLength = static_cast<int>(meter.size());
  const size_t N = subbeats.size();
  static const SoundSamples kSilence;
  const std::vector<int16_t>& s1 = (in.Sound1 ? *in.Sound1 : kSilence).samples;
  const std::vector<int16_t>& s2 = (in.Sound2 ? *in.Sound2 : kSilence).samples;
  const std::vector<int16_t>& bell = (in.Bell ? *in.Bell : kSilence).samples;
  const size_t lastAccent = meter.rfind('X');
  const bool bellPlays = in.BellOnFirst && lastAccent != std::string::npos && lastAccent > 0;

  // Values that change only at a cell or subbeat start are kept here rather
  // than derived again for every sample.
  uint32_t nextSubbeat = N > 0 ? SubbeatOffset(x, p.SubbeatIndex, N) : 0;
  bool subbeatSounds = SymbolAt(subbeats, p.SubbeatIndex - 1) == 's';
  unsigned char cell = SymbolAt(meter, p.CellIndex);
  uint32_t beatOffset = L * static_cast<uint32_t>((p.CellIndex - 1) % D);

  for (uint32_t i = 0; i < count; ++i) {
    double acc = 0.0;
    bool silent = false;
    if (p.played >= L) {
      p.played = 0;
      if (applyFadeout) {
        p.FadeDivisor = p.FadeDivisor * p.FadeDivisor;
        if (p.FadeDivisor > 10000 && !p.fadeoutEnded) {
          p.fadeoutEnded = true;
          if (listener) listener->FadeoutEnded();
        }
      }
      p.CellIndex = static_cast<int16_t>(p.CellIndex + 1);
      if (p.CellIndex > meterLength || p.CellIndex < 1) {
        p.playedbar = 0;
        p.CellIndex = 1;
      }
      const int cellInBeat = (p.CellIndex - 1) % D;
      if (cellInBeat == 0) {
        p.SubbeatIndex = 1;
        nextSubbeat = 0;
        subbeatSounds = false;
      }
      cell = SymbolAt(meter, p.CellIndex);
      beatOffset = L * static_cast<uint32_t>(cellInBeat);
      if (listener) listener->BeatNotification(i, NotificationCode(p.CellIndex, cell));
      // The dither lengthens the cell by one sample with probability Frac(x).
      silent = fracX >= Random();
    }
    if (!silent) {
      if (N > 0) {
        const uint32_t t = beatOffset + p.played;
        if (t >= nextSubbeat) {
          p.playedsub = t - nextSubbeat;
          p.SubbeatIndex = static_cast<int16_t>(p.SubbeatIndex + 1);
          nextSubbeat = SubbeatOffset(x, p.SubbeatIndex, N);
          subbeatSounds = SymbolAt(subbeats, p.SubbeatIndex - 1) == 's';
          if (subbeatSounds && listener)
            listener->BeatNotification(i, NotificationCode(p.CellIndex, kSubbeatSymbolCode));
        }
        if (subbeatSounds && p.playedsub < s1.size()) {
          acc = s1[p.playedsub] * in.VolRatioSubbeat;
          ++p.playedsub;
        }
      }
      if (cell == 'X' && p.played < s1.size()) acc += s1[p.played] * in.VolRatioDownbeat;
      if ((cell == 'x' || (cell == 'X' && in.MixWithBeat)) && p.played < s2.size())
        acc += s2[p.played] * in.VolRatioBeat;
      if (bellPlays && p.playedbar < bell.size()) {
        acc += bell[p.playedbar] * in.VolRatioBell;
        ++p.playedbar;
      }
      ++p.played;
    }
    if (applyFadeout) acc = acc / p.FadeDivisor;
    out[i] = ToSample(acc);
  }
}

}  // namespace corvane
