#include "cli/render_setup.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "engine/engine.h"
#include "engine/random.h"
#include "settings/app_paths.h"

namespace corvane::cli {

namespace {

void LoadOrFail(SoundSlot slot, const std::string& given, const char* shipped, bool boost) {
  const std::filesystem::path file = given.empty() ? ProgramDataDir() / shipped : std::filesystem::path(given);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    throw UsageError("sound file \"" + file.string() + "\" does not exist");
  try {
    Engine().Sounds.Load(slot, file, boost);
  } catch (const WaveFileError& e) {
    throw UsageError(e.what());
  }
  if (!Engine().Sounds.Valid(slot)) throw UsageError("\"" + file.string() + "\" is not a RIFF WAVE sound file");
}

}  // namespace

bool RenderSetup::Take(const std::string& o, ArgReader& args) {
  if (o == "--tempo") {
    tempo = ParseNumber(o, args.Value(o));
    if (tempo < 1 || tempo > 999) throw UsageError("--tempo must lie between 1 and 999");
  } else if (o == "--meter") {
    meter = args.Value(o);
    if (meter.empty() || meter.size() > 99) throw UsageError("--meter takes 1 to 99 cells");
  } else if (o == "--divisor") {
    long long d = ParseInteger(o, args.Value(o));
    if (d < 1 || d > 99) throw UsageError("--divisor must lie between 1 and 99");
    divisor = static_cast<int>(d);
  } else if (o == "--subbeats") {
    subbeats = args.Value(o);
    if (subbeats.size() > 99) throw UsageError("--subbeats takes at most 99 symbols");
  } else if (o == "--gains") {
    auto g = ParseNumberList(o, args.Value(o), 4);
    for (size_t i = 0; i < 4; ++i) {
      if (g[i] < 0) throw UsageError("--gains must not be negative");
      gains[i] = g[i];
    }
  } else if (o == "--mix-with-beat") {
    mixWithBeat = true;
  } else if (o == "--no-bell") {
    bell = false;
  } else if (o == "--fadeout") {
    fadeout = true;
  } else if (o == "--boost") {
    boost = true;
  } else if (o == "--sound1") {
    sound1 = args.Value(o);
  } else if (o == "--sound2") {
    sound2 = args.Value(o);
  } else if (o == "--bell") {
    bellFile = args.Value(o);
  } else if (o == "--seed") {
    long long s = ParseInteger(o, args.Value(o));
    if (s < 0 || s > 0xFFFFFFFFll) throw UsageError("--seed must lie between 0 and 4294967295");
    seed = static_cast<uint32_t>(s);
  } else if (o == "--samples") {
    long long n = ParseInteger(o, args.Value(o));
    if (n < 0 || n > 0x7FFFFFFFll) throw UsageError("--samples must lie between 0 and 2147483647");
    samples = static_cast<uint64_t>(n);
  } else if (o == "--seconds") {
    double s = ParseNumber(o, args.Value(o));
    if (s < 0 || s > 48000) throw UsageError("--seconds must lie between 0 and 48000");
    samples = static_cast<uint64_t>(std::llround(s * 44100));
  } else if (o == "--block") {
    long long b = ParseInteger(o, args.Value(o));
    if (b < 1 || b > (1 << 20)) throw UsageError("--block must lie between 1 and 1048576");
    block = static_cast<uint32_t>(b);
  } else if (o == "--notifications") {
    notifications = args.Value(o);
  } else {
    return false;
  }
  return true;
}

void RenderSetup::ApplyToEngine() const {
  EngineSettings& s = Engine().Settings;
  s.BPM = tempo;
  s.SetMeter(meter);
  s.SetBeatDivisor(divisor);
  s.SetSubbeats(subbeats);
  s.VolRatioDownbeat = gains[0];
  s.VolRatioBeat = gains[1];
  s.VolRatioSubbeat = gains[2];
  s.VolRatioBell = gains[3];
  s.MixWithBeat = mixWithBeat;
  s.BellOnFirst = bell;
  s.AutoFadeout = fadeout;
  s.Boost6dB = boost;
  LoadOrFail(SoundSlot::Sound1, sound1, defaults::Sound1File, boost);
  LoadOrFail(SoundSlot::Sound2, sound2, defaults::Sound2File, boost);
  LoadOrFail(SoundSlot::Bell, bellFile, defaults::BellFile, boost);
  if (seed)
    RandSeed(*seed);
  else
    RandomizeFromClock();
}

}  // namespace corvane::cli
