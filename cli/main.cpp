// corvane-cli: renders, lays out and inspects rhythms without a window.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "cli/cli_args.h"
#include "cli/play.h"
#include "cli/render_setup.h"
#include "engine/engine.h"
#include "engine/meter.h"
#include "engine/playback_renderer.h"
#include "export/wav_writer.h"

namespace corvane::cli {
namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  corvane-cli render -o OUT.wav [--samples N | --seconds S] [--tempo BPM] [--meter PATTERN]\n"
    "      [--divisor N] [--subbeats PATTERN] [--gains DOWNBEAT,BEAT,SUBBEAT,BELL]\n"
    "      [--mix-with-beat] [--no-bell] [--fadeout] [--boost] [--sound1 FILE] [--sound2 FILE]\n"
    "      [--bell FILE] [--seed N] [--block SAMPLES] [--notifications FILE]\n"
    "  corvane-cli formula PATTERN [--divisor N]\n"
    "  corvane-cli layout FORMULA\n"
    "  corvane-cli devices\n"
    "  corvane-cli play [render options] [--device ID] [--seconds S] [--buffer-factor 2..7]\n"
    "      [--volume V] [--pan P] [--idle-after S]   prints ELAPSED_MS CELL KIND per beat\n";

int Render(ArgReader& args) {
  RenderSetup setup;
  std::string output;
  while (!args.Done()) {
    std::string o = args.Next();
    if (o == "-o" || o == "--output")
      output = args.Value(o);
    else if (!setup.Take(o, args))
      throw UsageError("unknown option " + o);
  }
  if (output.empty()) throw UsageError("render needs -o OUT.wav");
  setup.ApplyToEngine();

  const uint64_t total = setup.samples.value_or(10 * 44100);
  PlaybackRenderer renderer(Engine().Settings, Engine().Sounds);
  renderer.StartState();
  std::vector<int16_t> samples;
  samples.reserve(total);
  std::string lines;
  uint64_t start = 0;
  while (start < total) {
    const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(setup.block, total - start));
    samples.resize(start + n);
    renderer.dsbufpos = 0;
    renderer.FillMemBuffer(samples.data() + start, n * 2);
    for (size_t k = 0; k < renderer.notf.size(); ++k)
      lines += std::to_string(start + renderer.notf[k] / 2) + " " + std::to_string(renderer.notb[k]) + "\n";
    renderer.notf.clear();
    renderer.notb.clear();
    start += n;
    if (renderer.FadeoutFinished()) break;
  }
  std::string error;
  if (!WriteWavFile(output, samples, &error)) {
    std::fprintf(stderr, "corvane-cli: cannot write %s: %s\n", output.c_str(), error.c_str());
    return 2;
  }
  if (!setup.notifications.empty()) {
    std::ofstream out(setup.notifications, std::ios::trunc);
    out << lines;
    if (!out.flush()) {
      std::fprintf(stderr, "corvane-cli: cannot write %s\n", setup.notifications.c_str());
      return 2;
    }
  }
  return 0;
}

int Formula(ArgReader& args) {
  if (args.Done()) throw UsageError("formula needs a PATTERN");
  std::string pattern = args.Next();
  int divisor = 1;
  while (!args.Done()) {
    std::string o = args.Next();
    if (o != "--divisor") throw UsageError("unknown option " + o);
    long long d = ParseInteger(o, args.Value(o));
    if (d < 1 || d > 99) throw UsageError("--divisor must lie between 1 and 99");
    divisor = static_cast<int>(d);
  }
  std::cout << MeterFormula(pattern, divisor) << "\n";
  return 0;
}

int Layout(ArgReader& args) {
  if (args.Done()) throw UsageError("layout needs a FORMULA");
  std::string formula = args.Next();
  if (!args.Done()) throw UsageError("layout takes only a FORMULA");
  auto layout = LayoutFormula(formula);
  if (!layout) throw UsageError("\"" + formula + "\" is not a meter formula (digits, '+' and '/', such as 3+2/2)");
  std::cout << layout->Meter << " " << layout->BeatDivisor << "\n";
  return 0;
}

}  // namespace
}  // namespace corvane::cli

int main(int argc, char** argv) {
  using namespace corvane::cli;
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string command = argv[1];
  ArgReader args(argc, argv, 2);
  try {
    if (command == "render") return Render(args);
    if (command == "formula") return Formula(args);
    if (command == "layout") return Layout(args);
    if (command == "devices") return Devices(args);
    if (command == "play") return Play(args);
    if (command == "--help" || command == "help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    throw UsageError("unknown command " + command);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "corvane-cli: %s\n%s", e.what(), kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "corvane-cli: %s\n", e.what());
    return 2;
  }
}
