// "devices" and "play": the live engine from the command line.
#include "cli/play.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/render_setup.h"
#include "engine/audio_engine.h"
#include "engine/engine.h"
#include "engine/engine_ui.h"
#include "engine/sdl_audio.h"
#include "engine/streaming.h"
#include "settings/diagnostics.h"
#include "settings/settings_store.h"

namespace corvane::cli {
namespace {

std::atomic<bool> interrupted{false};

// Collects dispatched beats on the streaming thread; the main thread prints.
class PrintingUi : public EngineUi {
 public:
  void BeatUpdate(int16_t cell, uint8_t kind) override {
    const auto elapsed = std::chrono::steady_clock::now() - Engine().PlayStartTime();
    std::lock_guard lock(mutex_);
    lines_.push_back({std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), cell, kind});
  }
  void ShowStoppedPicture() override { fadeoutEnded = true; }

  void Print() {
    std::vector<Line> lines;
    {
      std::lock_guard lock(mutex_);
      lines.swap(lines_);
    }
    for (const Line& l : lines) std::printf("%lld %d %d\n", static_cast<long long>(l.ms), l.cell, l.kind);
    std::fflush(stdout);
  }

  std::atomic<bool> fadeoutEnded{false};

 private:
  struct Line {
    long long ms;
    int cell, kind;
  };
  std::mutex mutex_;
  std::vector<Line> lines_;
};

}  // namespace

int Devices(ArgReader& args) {
  if (!args.Done()) throw UsageError("devices takes no options");
  SdlAudioBackend backend;
  std::vector<AudioDeviceInfo> devices;
  if (uint32_t code = backend.EnumerateDevices(&devices); code != 0 || devices.empty()) {
    std::fprintf(stderr, "corvane-cli: no audio output device (%s)\n", DescribeResult(code).c_str());
    return 1;
  }
  for (const AudioDeviceInfo& d : devices) std::printf("%s %s\n", d.id.c_str(), d.name.c_str());
  return 0;
}

int Play(ArgReader& args) {
  RenderSetup setup;
  std::string device = kDefaultDeviceId;
  int factor = 4, volume = 0, pan = 0;
  double idleAfter = 0;
  while (!args.Done()) {
    std::string o = args.Next();
    if (o == "--device") {
      device = args.Value(o);
    } else if (o == "--buffer-factor") {
      long long f = ParseInteger(o, args.Value(o));
      if (f < 2 || f > 7) throw UsageError("--buffer-factor must lie between 2 and 7");
      factor = static_cast<int>(f);
    } else if (o == "--volume") {
      long long v = ParseInteger(o, args.Value(o));
      if (v < -10000 || v > 0) throw UsageError("--volume must lie between -10000 and 0");
      volume = static_cast<int>(v);
    } else if (o == "--pan") {
      long long p = ParseInteger(o, args.Value(o));
      if (p < -10000 || p > 10000) throw UsageError("--pan must lie between -10000 and 10000");
      pan = static_cast<int>(p);
    } else if (o == "--idle-after") {
      idleAfter = ParseNumber(o, args.Value(o));
      if (idleAfter < 0 || idleAfter > 3600) throw UsageError("--idle-after must lie between 0 and 3600");
    } else if (!setup.Take(o, args)) {
      throw UsageError("unknown option " + o);
    }
  }

  // Settings live in memory only: the tool never touches the user's file.
  SettingsStore store("");
  store.WriteStr("AudioDev", device);
  store.WriteInt("MasterVol", volume);
  store.WriteInt("MasterPan", pan);
  Engine().Settings.BufferSize = factor * 8192;
  SdlAudioBackend backend;
  PrintingUi ui;
  EngineStartup(&ui, store, &backend);
  if (!OutputReady()) {
    std::fprintf(stderr, "corvane-cli: no sound: the audio output could not be opened (%s)\n",
                 DescribeResult(OutputInitError()).c_str());
    EngineShutdown(store);
    return 1;
  }
  try {
    setup.ApplyToEngine();
  } catch (...) {
    EngineShutdown(store);
    throw;
  }
  std::signal(SIGINT, [](int) { interrupted = true; });
  std::signal(SIGTERM, [](int) { interrupted = true; });

  const auto start = std::chrono::steady_clock::now();
  const double seconds = setup.samples ? static_cast<double>(*setup.samples) / 44100 : 1e12;
  const auto previousStart = Engine().PlayStartTicks.load();
  StartPlayback();
  if (std::getenv("CORVANE_TRACE_CLOCK")) {
    // Lets tests put the printed times on their own monotonic clock, once
    // the streaming thread has taken its start time.
    while (Engine().PlayStartTicks.load() == previousStart &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(2))
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::fprintf(stderr, "# start %lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                               Engine().PlayStartTime().time_since_epoch()).count()));
  }
  while (!interrupted && !ui.fadeoutEnded &&
         std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < seconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ui.Print();
  }
  StopAndWait();
  ui.Print();
  // Stays ready but stopped for a while (to measure what an idle engine costs).
  const auto idleStart = std::chrono::steady_clock::now();
  while (!interrupted && std::chrono::duration<double>(std::chrono::steady_clock::now() - idleStart).count() < idleAfter)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EngineShutdown(store);
  return 0;
}

}  // namespace corvane::cli
