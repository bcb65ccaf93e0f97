// The periodic timer and the flasher's fade on it. Also built and run under
// ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "flasher/flash_fade.h"
#include "flasher/multimedia_timer.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

TEST(MultimediaTimer, PropertyRules) {
  TMultimediaTimer timer;
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000);
  EXPECT_EQ(timer.Resolution(), 100);
  const TimerCapabilities caps = TMultimediaTimer::TimerCaps();
  EXPECT_EQ(caps.periodMin, 1u);
  EXPECT_EQ(caps.periodMax, 65535u);

  timer.SetResolution(16);
  timer.SetInterval(10);  // below the resolution
  timer.SetEnabled(true);
  EXPECT_EQ(timer.Interval(), 16);
  EXPECT_EQ(timer.StartsSoFar(), 1);
  timer.SetEnabled(true);  // enabling twice: still one platform timer
  EXPECT_EQ(timer.StartsSoFar(), 1);
  timer.SetInterval(64);  // a change while running restarts it
  EXPECT_EQ(timer.StartsSoFar(), 2);
  EXPECT_TRUE(timer.Enabled());
  timer.SetInterval(64);  // the same value changes nothing
  EXPECT_EQ(timer.StartsSoFar(), 2);

  TMultimediaTimer zero;
  std::atomic<int> ticks{0};
  zero.SetOnTimer([&](TMultimediaTimer&) { ++ticks; });
  zero.SetInterval(0);
  zero.SetEnabled(true);
  std::this_thread::sleep_for(150ms);
  EXPECT_TRUE(zero.Enabled());
  EXPECT_EQ(zero.StartsSoFar(), 0);
  EXPECT_EQ(ticks.load(), 0);
}

TEST(MultimediaTimer, LoadingDefersTheStart) {
  TMultimediaTimer timer;
  timer.BeginLoading();
  timer.SetInterval(5);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.StartsSoFar(), 0);
  timer.Loaded();
  EXPECT_EQ(timer.StartsSoFar(), 1);
}

TEST(MultimediaTimer, TicksOnItsOwnThreadAndNoneAfterStop) {
  TMultimediaTimer timer;
  std::atomic<int> ticks{0};
  std::atomic<bool> otherThread{true};
  const auto ui = std::this_thread::get_id();
  timer.SetOnTimer([&](TMultimediaTimer& sender) {
    EXPECT_EQ(&sender, &timer);
    if (std::this_thread::get_id() == ui) otherThread = false;
    std::this_thread::sleep_for(2ms);  // a stop arriving now must wait for this tick
    ++ticks;
  });
  timer.SetResolution(1);
  timer.SetInterval(5);
  timer.SetEnabled(true);
  ASSERT_TRUE(WaitFor([&] { return ticks >= 5; }));
  timer.SetEnabled(false);
  const int atStop = ticks;
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(ticks.load(), atStop);
  EXPECT_TRUE(otherThread);
}

TEST(MultimediaTimer, AHandlerMayStopItsOwnTimer) {
  std::atomic<int> ticks{0};
  {
    TMultimediaTimer timer;
    timer.SetOnTimer([&](TMultimediaTimer& sender) {
      if (++ticks == 3) sender.SetEnabled(false);
    });
    timer.SetResolution(1);
    timer.SetInterval(2);
    timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return !timer.Enabled(); }));
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(ticks.load(), 3);
    timer.SetEnabled(true);  // and it starts again
    ASSERT_TRUE(WaitFor([&] { return ticks >= 4; }));
  }  // destroyed while running
}

TEST(MultimediaTimer, StopWhileATickRunsFromEveryThread) {
  // Stress: the tick disables and the other thread enables, over and over.
  TMultimediaTimer timer;
  std::atomic<int> ticks{0};
  timer.SetOnTimer([&](TMultimediaTimer& sender) {
    if (++ticks % 2 == 0) sender.SetEnabled(false);
  });
  timer.SetResolution(1);
  timer.SetInterval(1);
  for (int i = 0; i < 200; ++i) {
    timer.SetEnabled(true);
    std::this_thread::sleep_for(std::chrono::microseconds(300 * (i % 5)));
    if (i % 3 == 0) timer.SetEnabled(false);
  }
  timer.SetEnabled(false);
  EXPECT_GT(ticks.load(), 0);
}

TEST(FlashFade, BrightnessSequenceAfterABeat) {
  FlashFade fade(nullptr);
  fade.Update(1);
  fade.Stop();  // step by hand
  std::vector<int> seen{fade.Brightness()};
  while (fade.Brightness() > 0) {
    fade.FadeStep();
    seen.push_back(fade.Brightness());
  }
  const std::vector<int> expected{255, 204, 163, 130, 104, 83, 66, 53, 42, 34, 27, 21, 17,
                                  14,  11,  8,   7,   5,   4,  3,  2,  2,  1,  1,  1,  0};
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(fade.Fading());  // black stops the timer
}

TEST(FlashFade, BeatsRestartAndSubbeatsLift) {
  FlashFade fade(nullptr);
  fade.Update(1);
  fade.Stop();
  for (int i = 0; i < 15; ++i) fade.FadeStep();
  EXPECT_EQ(fade.Brightness(), 8);
  fade.Update(2);  // the next beat restarts at full light
  fade.Stop();
  EXPECT_EQ(fade.Brightness(), 255);
  for (int i = 0; i < 5; ++i) fade.FadeStep();
  EXPECT_NEAR(fade.Intensity(), 0.32768, 1e-12);
  fade.Update(3);  // a subbeat lifts a fifth of the way
  fade.Stop();
  EXPECT_NEAR(fade.Intensity(), 0.462144, 1e-12);
  EXPECT_EQ(fade.Brightness(), 117);
}

TEST(FlashFade, FadesOnTheTimerAndStopsItself) {
  std::atomic<int> paints{0};
  FlashFade fade([&] { ++paints; });
  fade.Update(1);
  EXPECT_TRUE(fade.Fading());
  ASSERT_TRUE(WaitFor([&] { return !fade.Fading(); }));  // about 800 ms
  EXPECT_EQ(fade.Brightness(), 0);
  EXPECT_EQ(paints.load(), 26);  // the beat, then 25 fade steps to black
}

TEST(FlashFade, BeatsWhileFadingAndDestroyedMidway) {
  for (int round = 0; round < 5; ++round) {
    std::atomic<int> paints{0};
    FlashFade fade([&] { ++paints; });
    for (int beat = 0; beat < 20; ++beat) {
      fade.Update(beat % 4 == 0 ? 1 : 3);
      std::this_thread::sleep_for(std::chrono::milliseconds(5 + beat % 7 * 6));
    }
  }  // the timer is running when the fade goes
}

TEST(FlashFade, ColourAndSquare) {
  EXPECT_EQ(FlashColour(true, 1, false, 0x0000FF, 0x00FF00, 0x00FFFF, 204), 0x0000CCu);  // red 204
  EXPECT_EQ(FlashColour(true, 1, false, 0x3264C8, 0, 0, 128), 0x000049u);              // (200,100,50) -> (73,0,0)
  EXPECT_EQ(FlashColour(true, 3, false, 0x0000FF, 0x00FF00, 0x00FFFF, 255), 0x00FF00u);
  EXPECT_EQ(FlashColour(true, 2, true, 0x0000FF, 0x00FF00, 0x00FFFF, 255), 0x00FFFFu);  // tapping
  EXPECT_EQ(FlashColour(true, 0, false, 0x0000FF, 0x00FF00, 0x00FFFF, 255), 0u);        // a rest
  EXPECT_EQ(FlashColour(false, 1, true, 0x0000FF, 0x00FF00, 0x00FFFF, 255), 0u);        // light off
  const SquareArea wide = LargestCentredSquare(400, 250), tall = LargestCentredSquare(250, 400);
  EXPECT_EQ(std::tie(wide.left, wide.top, wide.side), std::make_tuple(75, 0, 250));
  EXPECT_EQ(std::tie(tall.left, tall.top, tall.side), std::make_tuple(0, 75, 250));
}

}  // namespace
}  // namespace corvane
