// The live engine against the virtual device, stepped poll by poll.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <thread>

#include "engine/audio_engine.h"
#include "engine/engine_ui.h"
#include "engine/meter.h"
#include "engine/playback_renderer.h"
#include "engine/poll_timer.h"
#include "engine/streaming.h"
#include "engine/virtual_audio.h"
#include "settings/settings_store.h"
#include "test_support.h"

namespace corvane {
namespace {

using testing::EngineTest;
using testing::RiffBuilder;

class RecordingUi : public EngineUi {
 public:
  bool MainWindowVisible() override { return visible; }
  void FlasherUpdate() override { ++flasherUpdates; }
  void BeatUpdate(int16_t cell, uint8_t kind) override {
    std::lock_guard lock(mutex);
    beats.emplace_back(cell, kind);
  }
  void ShowStoppedPicture() override { ++stoppedPictures; }
  std::vector<std::pair<int, int>> Beats() {
    std::lock_guard lock(mutex);
    return beats;
  }

  std::atomic<bool> visible{true};
  std::atomic<int> flasherUpdates{0}, stoppedPictures{0};
  std::mutex mutex;
  std::vector<std::pair<int, int>> beats;
};

class Streaming : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Engine().Poll = &timer;
    Startup();
  }
  void TearDown() override {
    ResetEngine();
    EngineTest::TearDown();
  }
  void Startup() {
    EngineStartup(&ui, store, &backend);
    auto click = WriteFile("click.wav", RiffBuilder::PcmFile(std::vector<int16_t>(300, 8000)));
    Engine().Sounds.Load(SoundSlot::Sound1, click, false);
    Engine().Sounds.Load(SoundSlot::Sound2, click, false);
  }
  void Start() {
    StartPlayback();
    ASSERT_TRUE(timer.AwaitThread());
  }
  VirtualSoundBuffer& Stream() { return *backend.Buffer(0); }
  // The device takes frames, then the thread polls once.
  void Poll(uint32_t frames) {
    Stream().Advance(frames);
    ASSERT_TRUE(timer.Step());
  }

  SettingsStore store{""};
  VirtualAudioBackend backend{{"Virtual Output", "Second Output"}};
  ManualPollTimer timer;
  RecordingUi ui;
};

TEST_F(Streaming, CellOneIsShownAtTheFirstPoll) {
  ASSERT_TRUE(OutputReady());
  Start();
  EXPECT_TRUE(IsPlaying());
  EXPECT_TRUE(Stream().Playing());
  Poll(0);
  EXPECT_EQ(ui.Beats(), (std::vector<std::pair<int, int>>{{1, 1}}));
  EXPECT_EQ(Engine().ShownBeat, 1);
  EXPECT_EQ(Engine().ShownBeatKind, 1);
  EXPECT_EQ(ui.flasherUpdates, 1);
}

TEST_F(Streaming, EveryNotificationArrivesInOrderAsTheCursorPassesIt) {
  EngineSettings& s = Engine().Settings;
  s.BPM = 600;
  s.SetSubbeats("ssss");
  // What the renderer queues, for comparison: the same start state and seed.
  RandSeed(77);
  PlaybackRenderer reference(s, Engine().Sounds);
  reference.StartState();
  std::vector<std::pair<uint64_t, std::pair<int, int>>> expected;
  std::vector<int16_t> block(8192);
  for (uint64_t start = 0; start < 44100 * 4; start += 8192) {
    reference.dsbufpos = 0;
    reference.FillMemBuffer(block.data(), 8192 * 2);
    for (size_t k = 0; k < reference.notf.size(); ++k) {
      const uint32_t code = reference.notb[k];
      expected.push_back({start + reference.notf[k] / 2, {static_cast<int>(code & 0xFFFF), BeatKindOf(static_cast<char>(code >> 16))}});
    }
    reference.notf.clear();
    reference.notb.clear();
  }

  RandSeed(77);
  Start();
  uint64_t heard = 0;
  for (int poll = 0; poll < 550; ++poll) {
    const uint32_t frames = 220 + (poll % 7) * 20;  // polls are never exactly 5 ms apart
    Poll(frames);
    heard += frames;
    // Dispatched: exactly those the cursor has passed (none held back).
    const auto due = static_cast<size_t>(std::count_if(expected.begin(), expected.end(), [&](auto& e) { return e.first <= heard; }));
    ASSERT_EQ(ui.Beats().size(), due) << "poll " << poll << " at frame " << heard;
  }
  const auto beats = ui.Beats();
  for (size_t k = 0; k < beats.size(); ++k) ASSERT_EQ(beats[k], expected[k].second) << k;
  EXPECT_GT(beats.size(), 140u);
}

TEST_F(Streaming, RenderedAudioReachesTheBufferHalfByHalf) {
  RandSeed(5);
  Start();
  std::vector<int16_t> heard;
  for (int poll = 0; poll < 200; ++poll) {
    Stream().Advance(441, &heard);
    ASSERT_TRUE(timer.Step());
  }
  RandSeed(5);
  PlaybackRenderer reference(Engine().Settings, Engine().Sounds);
  reference.StartState();
  std::vector<int16_t> expected(heard.size() + 16384);
  for (size_t start = 0; start < heard.size(); start += 16384) reference.FillMemBuffer(expected.data() + start, 16384 * 2);
  expected.resize(heard.size());
  EXPECT_EQ(heard, expected);
}

TEST_F(Streaming, StopEndsWithinAPoll) {
  Start();
  Poll(300);
  StopAndWait();  // no further Step: the request wakes the thread
  EXPECT_FALSE(IsPlaying());
  EXPECT_FALSE(Stream().Playing());
  StopAndWait();  // harmless when nothing plays
}

TEST_F(Streaming, AHiddenWindowGetsNoUpdates) {
  ui.visible = false;
  Start();
  for (int i = 0; i < 10; ++i) Poll(3000);
  EXPECT_TRUE(ui.Beats().empty());
  EXPECT_EQ(Engine().ShownBeat, 2);  // consumed all the same
}

TEST_F(Streaming, AFailedLockRendersNothing) {
  Stream().failLock = true;
  Start();
  for (int i = 0; i < 20; ++i) Poll(2000);
  StopAndWait();
  EXPECT_GE(Stream().locks, 3);
  const auto contents = Stream().Contents();
  EXPECT_TRUE(std::all_of(contents.begin(), contents.end(), [](int16_t s) { return s == 0; }));
  ASSERT_FALSE(diagnostics.empty());
  EXPECT_EQ(diagnostics[0], "Cannot lock the buffer [HR=80CF0006] The buffer could not be locked.");
}

TEST_F(Streaming, TheFadeoutEndNeverWaitsForAStopAndWait) {
  // Real 5 ms polls, a device racing ahead, and the user pressing stop just
  // as the fade-out ends: neither side may wait for the other.
  Engine().Poll = nullptr;
  Engine().Settings.BPM = 999;
  Engine().Settings.AutoFadeout = true;
  StartPlayback();
  std::atomic<bool> done{false};
  std::thread device([&] {
    while (!done) {
      Stream().Advance(2000);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (ui.stoppedPictures == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  StopAndWait();
  done = true;
  device.join();
  EXPECT_FALSE(IsPlaying());
  EXPECT_EQ(ui.stoppedPictures, 1);
}

TEST_F(Streaming, AFadeoutEndingBeforeTheFirstPollStillStops) {
  // 17 cells of 662 samples end inside the two halves rendered at the start.
  Engine().Settings.BPM = 999;
  Engine().Settings.SetBeatDivisor(4);
  Engine().Settings.AutoFadeout = true;
  Start();
  EXPECT_EQ(ui.stoppedPictures, 1);
  {
    std::lock_guard lock(Engine().PlayerMutex);
    EXPECT_EQ(Engine().Player, nullptr);  // asked to stop and forgotten
  }
  StopAndWait();
  EXPECT_FALSE(IsPlaying());
}

TEST_F(Streaming, MasterVolumeMutesAtMinus3000) {
  struct Case {
    int volume, applied;
  };
  for (const Case& c : {Case{-3000, -10000}, Case{-2999, -2999}, Case{0, 0}, Case{-5000, -10000}}) {
    SetMasterVolume(c.volume);
    EXPECT_EQ(Engine().Settings.MasterVol, c.volume);
    EXPECT_EQ(Stream().Volume(), c.applied);
    EXPECT_EQ(backend.Buffer(1)->Volume(), c.applied);
  }
  SetMasterPan(-700);
  EXPECT_EQ(Stream().Pan(), -700);
  EXPECT_EQ(backend.Buffer(1)->Pan(), -700);
}

TEST_F(Streaming, DevicesAreChosenByIdentifier) {
  const std::string second = DeviceIdFromName("Second Output");
  struct Case {
    std::string stored;
    int selected;
    std::string opened;
  };
  for (const Case& c : {Case{second, 2, second}, Case{"", 0, kDefaultDeviceId},
                        Case{"{11111111-2222-3333-4444-555555555555}", 0, kDefaultDeviceId}}) {
    ResetEngine();
    Engine().Poll = &timer;
    store.WriteStr("AudioDev", c.stored);
    Startup();
    EXPECT_EQ(Engine().SelectedDevice, c.selected);
    EXPECT_EQ(backend.OpenedId(), c.opened);
    SettingsStore saved("");
    EngineShutdown(saved);
    EXPECT_EQ(saved.ReadStrDef("AudioDev", "?"), c.opened);
  }
  EXPECT_EQ(Engine().DeviceNames.size(), 0u);  // forgotten at shutdown
}

TEST_F(Streaming, NoDriverOrNoDeviceLeavesTheEngineNotReady) {
  ResetEngine();
  backend.failEnumerate = rc::NoAudioDriver;
  Startup();
  EXPECT_FALSE(OutputReady());
  EXPECT_EQ(OutputInitError(), rc::NoAudioDevice);
  StartPlayback();
  EXPECT_FALSE(IsPlaying());
  PlayTap();  // does nothing, safely

  ResetEngine();
  backend.failEnumerate = 0;
  backend.failOpen = rc::DeviceOpenFailed;
  Startup();
  EXPECT_FALSE(OutputReady());
  EXPECT_EQ(OutputInitError(), rc::DeviceOpenFailed);
}

TEST_F(Streaming, TapBufferHoldsTheStartOfTheBeatSound) {
  auto shortSound = WriteFile("short.wav", RiffBuilder::PcmFile(std::vector<int16_t>(2000, 1234)));
  Engine().Sounds.Load(SoundSlot::Sound2, shortSound, false);
  VirtualSoundBuffer& tap = *backend.Buffer(1);
  int16_t* region;
  uint32_t bytes;
  ASSERT_EQ(tap.Lock(0, 8192, &region, &bytes), 0u);
  std::fill_n(region, 4096, int16_t{-7});
  tap.Unlock(region, bytes);
  FillTapBuffer();
  auto contents = tap.Contents();
  EXPECT_EQ(contents[0], 1234);
  EXPECT_EQ(contents[1999], 1234);
  EXPECT_EQ(contents[2000], -7);  // a shorter sound leaves the rest as it was
  PlayTap();
  std::vector<int16_t> heard;
  tap.Advance(5000, &heard);
  EXPECT_EQ(heard.size(), 4096u);  // once, not looping
  EXPECT_FALSE(tap.Playing());
}

TEST_F(Streaming, BufferSizeChangesReinitialiseOnlyWhenTheSizeChanges) {
  Start();
  Poll(100);
  ChangeBufferSizeFactor(4, kDefaultDeviceId);
  EXPECT_TRUE(IsPlaying());
  ChangeBufferSizeFactor(2, kDefaultDeviceId);
  EXPECT_FALSE(IsPlaying());
  EXPECT_EQ(Engine().Settings.BufferSize, 16384);
  EXPECT_EQ(Stream().Size(), 16384u);
  EXPECT_TRUE(OutputReady());
  ChangeOutputDevice(DeviceIdFromName("Virtual Output"));
  EXPECT_EQ(Engine().SelectedDevice, 1);
}

}  // namespace
}  // namespace corvane
