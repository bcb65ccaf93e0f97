#include <gtest/gtest.h>

#include "ui/main/tap_tempo.h"

namespace corvane {
namespace {

TEST(TapTempo, MeanOfAllIntervalsRounded) {
  struct Case {
    std::vector<uint32_t> taps;
    TapPrecision precision;
    double tempo;
  };
  const Case cases[] = {
      {{0, 500, 1000, 1500}, TapPrecision::Integer, 120},
      {{0, 500, 1010}, TapPrecision::Integer, 119},
      {{0, 500, 1010}, TapPrecision::Fractional, 118.8},
      {{0, 100}, TapPrecision::Integer, 600},                        // SetTempo holds it to MaxBPM
      {{0, 5000}, TapPrecision::Integer, 12},                        // ...and to MinBPM
      {{0xFFFFFF00u, 0xFFFFFF00u + 500, 744}, TapPrecision::Integer, 120},  // the tick count wraps
      {{0, 480}, TapPrecision::Integer, 125},
      {{0, 1600}, TapPrecision::Fractional, 37.5},                   // 37.5 stays; halves to even only at the last digit
  };
  for (const Case& c : cases) {
    TapSequence seq;
    std::optional<double> tempo;
    for (uint32_t t : c.taps) tempo = seq.RegisterTap(t, c.precision);
    ASSERT_TRUE(tempo.has_value());
    EXPECT_DOUBLE_EQ(*tempo, c.tempo) << c.taps.size() << " taps";
  }
}

TEST(TapTempo, FirstTapAndZeroIntervalsGiveNoTempo) {
  TapSequence seq;
  EXPECT_FALSE(seq.RegisterTap(1000, TapPrecision::Integer));
  EXPECT_FALSE(seq.RegisterTap(1000, TapPrecision::Integer));  // same tick: a bounce
  const auto tempo = seq.RegisterTap(1500, TapPrecision::Integer);  // mean of 0 and 500
  ASSERT_TRUE(tempo);
  EXPECT_EQ(*tempo, 240);
}

TEST(TapTempo, TimeoutIsThreeBeats) {
  EXPECT_EQ(TapTimeoutMs(120), 1500);
  EXPECT_EQ(TapTimeoutMs(7), 25714);
  EXPECT_EQ(TapTimeoutMs(2.75), 65454);
  EXPECT_EQ(TapTimeoutMs(2.74), 65535);  // longer than the timer can wait: its longest
  EXPECT_EQ(TapTimeoutMs(1), 65535);
}

}  // namespace
}  // namespace corvane
