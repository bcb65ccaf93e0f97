// Cost of one beat-flasher frame's disc and of the fade's timing.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "flasher/flash_fade.h"
#include "flasher/wu_circle.h"

namespace corvane {
namespace {

void BM_DiscOnTheBackBuffer(benchmark::State& state) {
  std::vector<uint32_t> pixels(250 * 250);
  const SurfaceDesc surface{reinterpret_cast<uint8_t*>(pixels.data()), 250 * 4, 32};
  for (auto _ : state) {
    DrawWuCircle(surface, 125, 125, 0x0000FF, 115);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DiscOnTheBackBuffer);

// How regular the 32 ms fade steps are: mean and worst gap between paints.
void BM_FadeStepTiming(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::chrono::steady_clock::time_point> paints;
    std::atomic<bool> done{false};
    paints.reserve(64);
    FlashFade fade([&] {
      if (!done) paints.push_back(std::chrono::steady_clock::now());
    });
    fade.Update(1);
    while (fade.Fading()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    done = true;
    double worst = 0, sum = 0;
    for (size_t i = 2; i < paints.size(); ++i) {
      const double gap = std::chrono::duration<double, std::milli>(paints[i] - paints[i - 1]).count();
      worst = std::max(worst, gap);
      sum += gap;
    }
    state.counters["mean_ms"] = sum / double(paints.size() - 2);
    state.counters["worst_ms"] = worst;
    state.counters["steps"] = double(paints.size());
  }
}
BENCHMARK(BM_FadeStepTiming)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
