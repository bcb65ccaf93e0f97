// Synthesises the shipped click sounds and writes them as ".mwav" files
// (second-difference coded RIFF WAVE, mono 16-bit 44,100 Hz).
//
//   soundgen OUTDIR [--wav]     --wav also writes plain .wav copies to listen to
//
// Every sound starts at its first sample, has no DC offset, and peaks at
// -3 dBFS. The output is deterministic: the only noise comes from a fixed-seed
// generator of our own.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/sound_bank.h"
#include "wave/wave.h"

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kPeak = 0.7079457843841379;  // -3 dBFS

struct Mode {
  double frequency;  // Hz
  double amplitude;
  double decay;      // time constant, seconds
  double phase;      // radians; pi/2 starts at full amplitude
};

class Noise {
 public:
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 8388608.0 - 1.0;
  }

 private:
  uint32_t state_ = 0x2545F491u;
};

std::vector<double> Synthesise(const std::vector<Mode>& modes, double noiseAmp, double noiseDecay,
                               double seconds, double fadeSeconds) {
  const size_t n = static_cast<size_t>(seconds * kRate);
  std::vector<double> x(n, 0.0);
  Noise noise;
  for (size_t i = 0; i < n; ++i) {
    const double t = i / kRate;
    double v = 0;
    for (const Mode& m : modes) v += m.amplitude * std::exp(-t / m.decay) * std::sin(2 * kPi * m.frequency * t + m.phase);
    v += noiseAmp * std::exp(-t / noiseDecay) * noise.Next();
    x[i] = v;
  }
  // Remove DC with a gentle high-pass (about 30 Hz); it leaves the onset intact.
  double prevIn = 0, prevOut = 0;
  for (double& v : x) {
    const double out = v - prevIn + 0.9957 * prevOut;
    prevIn = v;
    prevOut = out;
    v = out;
  }
  double mean = 0;
  for (double v : x) mean += v;
  mean /= static_cast<double>(n);
  for (double& v : x) v -= mean;
  // Fade the tail to silence so that a sound cut short never clicks.
  const size_t fade = static_cast<size_t>(fadeSeconds * kRate);
  for (size_t i = 0; i < fade && i < n; ++i) x[n - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
  double peak = 0;
  for (double v : x) peak = std::max(peak, std::fabs(v));
  for (double& v : x) v *= kPeak / peak;
  return x;
}

std::vector<int16_t> Quantise(const std::vector<double>& x) {
  std::vector<int16_t> s(x.size());
  for (size_t i = 0; i < x.size(); ++i)
    s[i] = static_cast<int16_t>(std::lround(std::clamp(x[i] * 32767.0, -32767.0, 32767.0)));
  return s;
}

bool WriteWave(const std::filesystem::path& path, const std::vector<int16_t>& samples) {
  corvane::TWave wave;
  wave.BeginRewrite(corvane::PcmMono16Format());
  wave.Write(samples.data(), static_cast<uint32_t>(samples.size() * 2));
  wave.EndRewrite();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(wave.Image().data()), static_cast<std::streamsize>(wave.Image().size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: soundgen OUTDIR [--wav]\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  const bool plainCopies = argc > 2 && std::string(argv[2]) == "--wav";
  std::filesystem::create_directories(dir);

  struct Sound {
    const char* name;
    std::vector<double> signal;
  };
  const Sound sounds[] = {
      // Accent: a hard, woody knock, short and dry, with a lower body.
      {"Click 02b",
       Synthesise({{1180, 1.0, 0.011, kPi / 2}, {2470, 0.55, 0.006, 0}, {4020, 0.30, 0.003, kPi / 2}, {640, 0.35, 0.018, kPi / 2}},
                  0.45, 0.0012, 0.070, 0.010)},
      // Plain beat: a bright clave, one clear ringing tone.
      {"Clave 01 Hi",
       Synthesise({{2530, 1.0, 0.022, kPi / 2}, {6300, 0.18, 0.005, 0}}, 0.20, 0.0008, 0.110, 0.015)},
      // Bell: a small, high bell that rings for about half a second.
      {"bell",
       Synthesise({{1568, 1.0, 0.20, kPi / 2}, {4321, 0.45, 0.12, 0}, {8474, 0.22, 0.06, kPi / 2}, {3763, 0.25, 0.15, 0}},
                  0.15, 0.0010, 0.600, 0.040)},
  };
  for (const Sound& s : sounds) {
    const std::vector<int16_t> samples = Quantise(s.signal);
    const std::string base = (dir / s.name).string();
    if (!WriteWave(base + ".mwav", corvane::EncodeSecondDifferences(samples)) ||
        (plainCopies && !WriteWave(base + ".wav", samples))) {
      std::fprintf(stderr, "soundgen: cannot write %s\n", base.c_str());
      return 1;
    }
  }
  return 0;
}
