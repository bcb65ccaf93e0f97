// Renderer throughput in samples per second, beside a plain memset of the
// same block as the ceiling.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "engine/random.h"
#include "engine/renderer.h"

namespace {

using namespace corvane;

constexpr uint32_t kBlock = 8192;

SoundSnapshot Click(size_t count) {
  auto s = std::make_shared<SoundSamples>();
  s->samples.resize(count);
  for (size_t i = 0; i < count; ++i) s->samples[i] = static_cast<int16_t>((i * 7919) % 20000 - 10000);
  return s;
}

RenderInputs Inputs(double bpm, const char* meter, const char* subbeats, bool mix) {
  RenderInputs in;
  in.BPM = bpm;
  in.Meter = std::make_shared<const std::string>(meter);
  in.Subbeats = std::make_shared<const std::string>(subbeats);
  in.Sound1 = Click(3000);
  in.Sound2 = Click(4800);
  in.Bell = Click(26000);
  in.MixWithBeat = mix;
  return in;
}

void Run(benchmark::State& state, const RenderInputs& in) {
  RandSeed(1);
  RenderPosition pos;
  std::vector<int16_t> out(kBlock);
  for (auto _ : state) {
    MixBlock(pos, in, out.data(), kBlock, nullptr, false);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}

void BM_Plain44At120(benchmark::State& state) { Run(state, Inputs(120, "Xxxx", "", false)); }
void BM_Octuple999BellMix(benchmark::State& state) { Run(state, Inputs(999, "XxxXx", "ssssssss", true)); }

void BM_MemsetCeiling(benchmark::State& state) {
  std::vector<int16_t> out(kBlock);
  for (auto _ : state) {
    std::memset(out.data(), 0, kBlock * 2);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}

BENCHMARK(BM_Plain44At120);
BENCHMARK(BM_Octuple999BellMix);
BENCHMARK(BM_MemsetCeiling);

}  // namespace

BENCHMARK_MAIN();
