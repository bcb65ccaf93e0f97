// Runs the command-line tool as a user would and checks what it writes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "engine/meter.h"
#include "engine/sdl_audio.h"
#include "engine/sound_bank.h"
#include "settings/atomic_file.h"
#include "test_support.h"

namespace corvane {
namespace {

using testing::EngineTest;

struct Result {
  int exitCode;
  std::string output;  // standard output and error together
};

Result RunCli(const std::string& args) {
  std::string command = std::string("\"") + CORVANE_CLI + "\" " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::vector<int16_t> ReadWav(const std::filesystem::path& path, std::string* header = nullptr) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes));
  if (header) *header = bytes.substr(0, 44);
  std::vector<int16_t> s((bytes.size() - 44) / 2);
  std::memcpy(s.data(), bytes.data() + 44, s.size() * 2);
  return s;
}

// Lines "SAMPLE CODE" as render --notifications writes them.
std::vector<std::pair<uint64_t, uint32_t>> ReadNotifications(const std::filesystem::path& path) {
  std::ifstream lines(path);
  std::vector<std::pair<uint64_t, uint32_t>> events;
  uint64_t at;
  uint32_t code;
  while (lines >> at >> code) events.emplace_back(at, code);
  return events;
}

class Cli : public EngineTest {
 protected:
  std::string Out(const char* name) const { return "\"" + (dir / name).string() + "\""; }
};

TEST_F(Cli, RendersTheShippedSoundsOnTheBeat) {
  auto r = RunCli("render -o " + Out("a.wav") + " --seconds 3 --seed 7 --notifications " + Out("a.txt"));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  std::string header;
  auto samples = ReadWav(dir / "a.wav", &header);
  ASSERT_EQ(samples.size(), 3u * 44100);
  EXPECT_EQ(header.substr(0, 4), "RIFF");
  EXPECT_EQ(header.substr(36, 4), "data");
  const auto events = ReadNotifications(dir / "a.txt");
  ASSERT_EQ(events.size(), 6u);
  for (size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].first, i * 22050);
    EXPECT_EQ(events[i].second, (i % 4 + 1) + 65536u * (i % 4 == 0 ? 'X' : 'x'));
    EXPECT_GT(std::abs(samples[events[i].first]), 8000) << "a click starts at " << events[i].first;
  }
  EXPECT_EQ(samples[22049], 0);
}

TEST_F(Cli, SameSeedSameSamplesWhateverTheBlockSize) {
  const std::string common = " --seconds 4 --tempo 131.3 --meter XxXxx --subbeats s_s --seed 42";
  ASSERT_EQ(RunCli("render -o " + Out("a.wav") + common).exitCode, 0);
  ASSERT_EQ(RunCli("render -o " + Out("b.wav") + common + " --block 333").exitCode, 0);
  EXPECT_EQ(ReadWav(dir / "a.wav"), ReadWav(dir / "b.wav"));
}

TEST_F(Cli, FadeoutEndsTheRenderingWithItsBlock) {
  auto r = RunCli("render -o " + Out("f.wav") + " --seconds 60 --tempo 600 --fadeout --block 4410 --seed 1");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  // Cell 18 begins at 17 x 4410 samples; its block is the last one.
  EXPECT_EQ(ReadWav(dir / "f.wav").size(), 18u * 4410);
}

TEST_F(Cli, ErrorsSayWhatIsWrongAndExitWith2) {
  WriteFile("text.wav", {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});
  const std::string cases[] = {
      "",
      "dance",
      "render --seconds 1",
      "render -o " + Out("x.wav") + " --tempo fast",
      "render -o " + Out("x.wav") + " --tempo 0",
      "render -o " + Out("x.wav") + " --gains 1,2,3",
      "render -o " + Out("x.wav") + " --divisor 0",
      "render -o " + Out("x.wav") + " --sound1 " + Out("missing.wav"),
      "render -o " + Out("x.wav") + " --sound2 " + Out("text.wav"),
      "render -o " + Out("x.wav") + " --frobnicate",
      "render -o " + Out("x.wav") + " --seconds",
      "render -o /proc/forbidden/x.wav --seconds 1",
      "layout 3+",
      "layout 3a",
      "formula",
  };
  for (const std::string& args : cases) {
    auto r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << args << "\n" << r.output;
    EXPECT_NE(r.output.find("corvane-cli"), std::string::npos) << args;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "x.wav"));
}

TEST_F(Cli, PrintsFormulasAndLayouts) {
  EXPECT_EQ(RunCli("formula XxxXx").output, "3+2\n");
  EXPECT_EQ(RunCli("formula X_x_x --divisor 2").output, "5/2\n");
  EXPECT_EQ(RunCli("layout 5/2").output, "X_x_x 2\n");
  EXPECT_EQ(RunCli("layout 7/9").output, "X___x__ 4\n");
}

TEST_F(Cli, ShippedSoundsAreCleanClicks) {
  for (const char* name : {"Click 02b.mwav", "Clave 01 Hi.mwav", "bell.mwav"}) {
    TWave w;
    LoadSound(w, std::filesystem::path(CORVANE_DATA_DIR) / name, false);
    ASSERT_TRUE(w.Valid()) << name;
    const WaveFormatView format{*w.WaveFormat()};
    EXPECT_EQ(format.FormatTag(), 1);
    EXPECT_EQ(format.Channels(), 1);
    EXPECT_EQ(format.SamplesPerSec(), 44100u);
    EXPECT_EQ(format.BitsPerSample(), 16);
    auto s = SamplesOf(w);
    EXPECT_EQ(s.size(), w.DataSize() / 2);
    EXPECT_GT(std::abs(s[0]), 150) << name << ": the onset is the first sample (nothing trimmed)";
    int peak = 0;
    double sum = 0;
    for (int16_t v : s) {
      peak = std::max(peak, std::abs(int{v}));
      sum += v;
    }
    EXPECT_NEAR(20 * std::log10(peak / 32768.0), -3.0, 0.1) << name;
    EXPECT_LT(std::fabs(sum / static_cast<double>(s.size())), 20.0) << name << ": DC offset";
    EXPECT_LT(std::abs(s.back()), 200) << name << ": ends quietly";
  }
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Plays through SDL's disk driver, which writes exactly the bytes the audio
// callback hands over, while the file's growth tells when they were handed.
class SdlPlay : public EngineTest {
 protected:
  struct Beat {
    long long ms;
    int cell, kind;
  };
  struct Growth {
    int64_t ns;
    uintmax_t bytes;
  };

  void Play(const std::string& options) {
    raw = dir / "device.raw";
    const std::string command = "SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=\"" + raw.string() +
                                "\" CORVANE_TRACE_CLOCK=1 \"" CORVANE_CLI "\" play " + options + " 2>\"" +
                                (dir / "err.txt").string() + "\"";
    std::atomic<bool> running{true};
    std::thread watch([&] {
      while (running) {
        std::error_code ec;
        auto size = std::filesystem::file_size(raw, ec);
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        if (!ec && (growth.empty() || growth.back().bytes != size))
          growth.push_back({std::chrono::duration_cast<std::chrono::nanoseconds>(now).count(), size});
        std::this_thread::sleep_for(std::chrono::microseconds(500));
      }
    });
    FILE* pipe = popen(command.c_str(), "r");
    Beat b;
    while (fscanf(pipe, "%lld %d %d", &b.ms, &b.cell, &b.kind) == 3) beats.push_back(b);
    exitCode = pclose(pipe);
    running = false;
    watch.join();
    std::string err;
    ReadWholeFile(dir / "err.txt", err);
    auto at = err.find("# start ");
    ASSERT_NE(at, std::string::npos) << err;
    startNs = std::stoll(err.substr(at + 8));
  }

  std::vector<int16_t> Channel(int which) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(raw, bytes));
    std::vector<int16_t> s(bytes.size() / 4);
    for (size_t i = 0; i < s.size(); ++i) std::memcpy(&s[i], bytes.data() + 4 * i + 2 * which, 2);
    return s;
  }

  std::filesystem::path raw;
  std::vector<Beat> beats;
  std::vector<Growth> growth;
  int exitCode = -1;
  long long startNs = 0;
};

TEST_F(SdlPlay, DeviceGetsExactlyTheRenderedSamplesAndBeatsFollowThem) {
  Play("--seconds 2.6 --seed 9 --volume 0 --tempo 150 --meter XxX_x --subbeats s_s");
  ASSERT_EQ(exitCode, 0);
  ASSERT_EQ(RunCli("render -o " + (dir / "ref.wav").string() +
                   " --seconds 3 --seed 9 --tempo 150 --meter XxX_x --subbeats s_s --notifications " + (dir / "ref.txt").string())
                .exitCode,
            0);
  const auto reference = ReadWav(dir / "ref.wav");
  const auto left = Channel(0), right = Channel(1);
  EXPECT_EQ(left, right);
  // The device was open before playback began: skip its leading silence.
  const size_t lead = static_cast<size_t>(std::find_if(left.begin(), left.end(), [](int16_t s) { return s != 0; }) - left.begin());
  ASSERT_GT(left.size(), lead + 2 * 44100);
  EXPECT_TRUE(std::equal(reference.begin(), reference.begin() + 2 * 44100, left.begin() + static_cast<long>(lead)));

  const auto expected = ReadNotifications(dir / "ref.txt");
  ASSERT_GE(beats.size(), 8u);
  ASSERT_LE(beats.size(), expected.size());
  for (size_t k = 0; k < beats.size(); ++k) {
    ASSERT_EQ(beats[k].cell, static_cast<int>(expected[k].second & 0xFFFF)) << k;
    ASSERT_EQ(beats[k].kind, BeatKindOf(static_cast<char>(expected[k].second >> 16))) << k;
    if (expected[k].first == 0) continue;  // the first cell shows at the first poll, by design
    // When the device was handed this beat's first sample...
    const uintmax_t needed = (lead + expected[k].first + 1) * 4;
    auto handed = std::find_if(growth.begin(), growth.end(), [&](const Growth& g) { return g.bytes >= needed; });
    ASSERT_NE(handed, growth.end());
    // ...and when the beat was shown: within 30 ms plus one device period.
    const double lagMs = static_cast<double>(startNs + beats[k].ms * 1000000 - handed->ns) / 1e6;
    EXPECT_GT(lagMs, -10) << "beat " << k;
    EXPECT_LT(lagMs, 30 + SdlAudioBackend::kPeriodFrames * 1000.0 / 44100) << "beat " << k;
  }
}

TEST_F(SdlPlay, PanAttenuatesOneSide) {
  Play("--seconds 0.5 --seed 1 --volume 0 --pan -10000");
  ASSERT_EQ(exitCode, 0);
  const auto left = Channel(0), right = Channel(1);
  EXPECT_TRUE(std::any_of(left.begin(), left.end(), [](int16_t s) { return std::abs(s) > 10000; }));
  EXPECT_TRUE(std::all_of(right.begin(), right.end(), [](int16_t s) { return s == 0; }));
}

TEST_F(SdlPlay, NoDeviceIsAClearMessage) {
  setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  auto r = RunCli("play --seconds 1");
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_NE(r.output.find("no sound"), std::string::npos) << r.output;
}

}  // namespace
}  // namespace corvane
