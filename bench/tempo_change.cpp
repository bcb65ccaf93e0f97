// How long after a tempo change the first block at the new tempo is
// rendered: the streaming thread runs on its real 5 ms clock against the
// virtual device, which takes frames at 44,100 per second.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "engine/audio_engine.h"
#include "engine/engine.h"
#include "engine/engine_ui.h"
#include "engine/streaming.h"
#include "engine/virtual_audio.h"
#include "settings/settings_store.h"

using namespace corvane;
using Clock = std::chrono::steady_clock;

namespace {
class QuietUi : public EngineUi {
  void BeatUpdate(int16_t, uint8_t) override {}
  void ShowStoppedPicture() override {}
};
}  // namespace

int main(int argc, char** argv) {
  const int factor = argc > 1 ? std::atoi(argv[1]) : 4;
  VirtualAudioBackend backend;
  QuietUi ui;
  SettingsStore store("");
  Engine().Settings.BufferSize = factor * 8192;
  EngineStartup(&ui, store, &backend);
  VirtualSoundBuffer& stream = *backend.Buffer(0);
  StartPlayback();

  std::atomic<bool> done{false};
  std::thread device([&] {
    auto next = Clock::now();
    while (!done) {
      next += std::chrono::milliseconds(1);
      std::this_thread::sleep_until(next);
      stream.Advance(44 + (std::chrono::duration_cast<std::chrono::microseconds>(next.time_since_epoch()).count() / 1000 % 10 == 0));
    }
  });

  std::mt19937 random(1);
  std::vector<double> delays;
  for (int trial = 0; trial < 40; ++trial) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50 + random() % 300));
    const int before = stream.locks.load();
    const auto changed = Clock::now();
    Engine().Settings.BPM = trial % 2 ? 120 : 121;
    while (stream.locks.load() == before) std::this_thread::sleep_for(std::chrono::microseconds(200));
    delays.push_back(std::chrono::duration<double, std::milli>(Clock::now() - changed).count());
  }
  done = true;
  device.join();
  StopAndWait();
  EngineShutdown(store);

  std::sort(delays.begin(), delays.end());
  double sum = 0;
  for (double d : delays) sum += d;
  std::printf("buffer factor %d (half = %d ms): tempo change to first block at the new tempo: "
              "mean %.0f ms, median %.0f ms, max %.0f ms; audible one half later\n",
              factor, factor * 2048 * 1000 / 44100, sum / static_cast<double>(delays.size()),
              delays[delays.size() / 2], delays.back());
  return 0;
}
