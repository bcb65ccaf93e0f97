#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/random.h"
#include "engine/renderer.h"

namespace corvane {
namespace {

SoundSnapshot Constant(int16_t value, size_t count) {
  return std::make_shared<const SoundSamples>(SoundSamples{std::vector<int16_t>(count, value)});
}

struct Event {
  uint64_t sample;
  uint32_t code;
};

// Renders in blocks like playback does and records notifications with their
// absolute sample positions.
class Recorder : public RenderListener {
 public:
  explicit Recorder(RenderInputs inputs) : in(std::move(inputs)) {}

  std::vector<int16_t> Render(uint64_t total, uint32_t block = 8192, bool fade = false) {
    std::vector<int16_t> out(total);
    for (uint64_t start = 0; start < total; start += block) {
      uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(block, total - start));
      blockStart = start;
      MixBlock(pos, in, out.data() + start, n, this, fade);
    }
    return out;
  }
  std::vector<uint64_t> CellStarts() const {
    std::vector<uint64_t> starts = {0};
    for (const Event& e : events)
      if ((e.code >> 16) != 's') starts.push_back(e.sample);
    return starts;
  }
  std::vector<uint64_t> SubbeatStarts() const {
    std::vector<uint64_t> starts;
    for (const Event& e : events)
      if ((e.code >> 16) == 's') starts.push_back(e.sample);
    return starts;
  }

  RenderInputs in;
  RenderPosition pos;
  std::vector<Event> events;
  std::vector<uint64_t> fadeoutEnds;
  uint64_t blockStart = 0;

 private:
  void BeatNotification(uint32_t i, uint32_t code) override { events.push_back({blockStart + i, code}); }
  void FadeoutEnded() override { fadeoutEnds.push_back(events.size()); }
};

RenderInputs Inputs(double bpm, const char* meter, int divisor = 1, const char* subbeats = "") {
  RenderInputs in;
  in.BPM = bpm;
  in.BeatDivisor = divisor;
  in.Meter = std::make_shared<const std::string>(meter);
  in.Subbeats = std::make_shared<const std::string>(subbeats);
  in.Sound1 = Constant(1000, 100);
  in.Sound2 = Constant(500, 100);
  in.Bell = Constant(100, 3000);
  in.VolRatioDownbeat = in.VolRatioBeat = in.VolRatioSubbeat = in.VolRatioBell = 1;
  return in;
}

std::vector<uint64_t> Gaps(const std::vector<uint64_t>& starts) {
  std::vector<uint64_t> gaps;
  for (size_t i = 1; i < starts.size(); ++i) gaps.push_back(starts[i] - starts[i - 1]);
  return gaps;
}

class Renderer : public ::testing::Test {
 protected:
  void SetUp() override { RandSeed(1234567); }
};

TEST_F(Renderer, At120BpmEveryBeatLasts22050Samples) {
  Recorder r(Inputs(120, "Xxxx"));
  auto out = r.Render(22050 * 9);
  for (uint64_t gap : Gaps(r.CellStarts())) EXPECT_EQ(gap, 22050u);
  // Accent on cell 1, plain clicks on the others; the bell stays silent
  // because the meter has no later accent.
  EXPECT_EQ(out[0], 1000);
  EXPECT_EQ(out[99], 1000);
  EXPECT_EQ(out[100], 0);
  EXPECT_EQ(out[22050], 500);
  EXPECT_EQ(out[4 * 22050], 1000);
  EXPECT_EQ(r.events[0].code, NotificationCode(2, 'x'));
  EXPECT_EQ(r.events[3].code, NotificationCode(1, 'X'));
}

TEST_F(Renderer, At130BpmTheDitherKeepsTheExactMeanBeat) {
  Recorder r(Inputs(130, "x"));
  r.Render(20354ull * 20000, 8192);
  auto gaps = Gaps(r.CellStarts());
  ASSERT_GT(gaps.size(), 19000u);
  for (uint64_t g : gaps) ASSERT_TRUE(g == 20353 || g == 20354) << g;
  double mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / static_cast<double>(gaps.size());
  EXPECT_NEAR(mean, 2646000.0 / 130, 0.02);
}

TEST_F(Renderer, At117BpmDivisor3CellsLast7538Or7539Samples) {
  Recorder r(Inputs(117, "Xxx", 3));
  r.Render(7539ull * 30000);
  auto gaps = Gaps(r.CellStarts());
  size_t longer = 0;
  for (uint64_t g : gaps) {
    ASSERT_TRUE(g == 7538 || g == 7539) << g;
    longer += g == 7539;
  }
  EXPECT_NEAR(static_cast<double>(longer) / static_cast<double>(gaps.size()), 0.3846, 0.02);
}

TEST_F(Renderer, CellLengthRoundsHalfToEven) {
  // 120 BPM with divisor 4: 22050 / 4 = 5512.5 gives 5512.
  Recorder r(Inputs(120, "xxxx", 4));
  r.Render(5512 * 12);
  for (uint64_t g : Gaps(r.CellStarts())) EXPECT_EQ(g, 5512u);
}

TEST_F(Renderer, SubbeatsDivideEveryBeat) {
  struct Case {
    const char* subbeats;
    std::vector<uint64_t> offsets;
  };
  for (const Case& c : {Case{"sss", {0, 7350, 14700}}, Case{"s_s", {0, 14700}}, Case{"ss", {0, 11025}}}) {
    Recorder r(Inputs(120, "xx", 1, c.subbeats));
    auto out = r.Render(22050 * 4);
    std::vector<uint64_t> expected;
    for (uint64_t beat = 0; beat < 4; ++beat)
      for (uint64_t o : c.offsets) expected.push_back(beat * 22050 + o);
    EXPECT_EQ(r.SubbeatStarts(), expected) << c.subbeats;
    // A sounding subbeat plays Sound 1 at the subbeat gain on top of the click.
    EXPECT_EQ(out[0], 1500) << c.subbeats;
    EXPECT_EQ(out[c.offsets.back()], 1000) << c.subbeats;
  }
}

TEST_F(Renderer, BellSoundsOnlyInComplexMeters) {
  Recorder simple(Inputs(120, "Xxxx"));
  auto plain = simple.Render(22050 * 5);
  EXPECT_EQ(plain[200], 0);

  Recorder complex(Inputs(120, "XxxXx"));
  auto out = complex.Render(22050 * 6);
  EXPECT_EQ(out[0], 1100);          // accent plus bell
  EXPECT_EQ(out[200], 100);         // the bell rings on across the cell
  EXPECT_EQ(out[22050 * 3], 1000);  // second accent: no bell
  EXPECT_EQ(out[22050 * 5], 1100);  // next bar: the bell again

  RenderInputs off = Inputs(120, "XxxXx");
  off.BellOnFirst = false;
  Recorder noBell(off);
  EXPECT_EQ(noBell.Render(400)[200], 0);
}

TEST_F(Renderer, MixWithBeatAddsTheBeatSoundToAccents) {
  RenderInputs in = Inputs(120, "Xx");
  in.VolRatioBeat = 0.5;
  in.MixWithBeat = true;
  Recorder r(in);
  auto out = r.Render(22050 * 2);
  EXPECT_EQ(out[0], 1250);
  EXPECT_EQ(out[22050], 250);
}

TEST_F(Renderer, LoudSoundsSaturateAndHalvesRoundToEven) {
  RenderInputs in = Inputs(120, "XxxXx");
  in.Sound1 = Constant(30000, 10);
  in.MixWithBeat = true;
  in.Sound2 = Constant(30000, 10);
  in.Bell = Constant(30000, 10);
  Recorder loud(in);
  EXPECT_EQ(loud.Render(1)[0], 32767);
  in.Sound1 = in.Sound2 = in.Bell = Constant(-30000, 10);
  Recorder low(in);
  EXPECT_EQ(low.Render(1)[0], -32768);

  struct Case {
    int16_t sample;
    double gain;
    int16_t expected;
  };
  for (const Case& c : {Case{5, 0.5, 2}, Case{3, 0.5, 2}, Case{-5, 0.5, -2}, Case{-3, 0.5, -2}, Case{7, 0.5, 4}}) {
    RenderInputs half = Inputs(120, "X");
    half.Sound1 = Constant(c.sample, 1);
    half.VolRatioDownbeat = c.gain;
    Recorder r(half);
    EXPECT_EQ(r.Render(1)[0], c.expected) << c.sample;
  }
}

TEST_F(Renderer, FadeoutStopsAtTheEighteenthCell) {
  RenderInputs in = Inputs(600, "X_x");
  in.AutoFadeout = true;
  Recorder r(in);
  auto out = r.Render(4410 * 20, 4096, true);
  ASSERT_EQ(r.fadeoutEnds.size(), 1u);
  // Reported at the 17th boundary after the start, which begins cell 18
  // (silent cells count too), before that cell's notification.
  EXPECT_EQ(r.fadeoutEnds[0], 16u);
  EXPECT_EQ(out[0], 1000);  // 1000 / 1.0001 rounds back to 1000
  EXPECT_LT(std::abs(out[r.CellStarts()[15]]), 40);
}

TEST_F(Renderer, BlocksJoinWithoutASeam) {
  auto render = [](uint32_t block) {
    RandSeed(99);
    Recorder r(Inputs(133.7, "XxxXx_", 2, "s_ss"));
    auto out = r.Render(100000, block);
    return std::make_pair(out, r.CellStarts());
  };
  auto whole = render(100000);
  for (uint32_t block : {1u, 7u, 4096u, 8192u}) {
    auto parts = render(block);
    EXPECT_EQ(parts.first, whole.first) << block;
    EXPECT_EQ(parts.second, whole.second) << block;
  }
}

TEST_F(Renderer, PatternsFromBrokenStoresNeverReadOutOfBounds) {
  // An empty meter, a divisor below 1, a meter and a subdivision shortened
  // while a late cell plays, a missing sound: all render without faults
  // (the sanitizers check the reads), and the rest plays silent.
  Recorder r(Inputs(200, "XxxxxxX", 1, "ssss"));
  r.Render(30000);
  r.in.Meter = std::make_shared<const std::string>("X");
  r.in.Subbeats = std::make_shared<const std::string>("s");
  r.in.Sound2 = nullptr;
  r.Render(30000);

  Recorder empty(Inputs(120, ""));
  empty.in.BeatDivisor = 0;
  auto out = empty.Render(50000);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t s) { return s == 0; }));
  for (const Event& e : empty.events) EXPECT_EQ(e.code, NotificationCode(1, 0));

  Recorder wild(Inputs(1e12, "Xx", -5, "s"));
  wild.in.BPM = std::nan("");
  wild.Render(30000);
  EXPECT_EQ(wild.CellStarts()[1], 22050u);  // not a number plays at 120 BPM
}

}  // namespace
}  // namespace corvane
