#include <gtest/gtest.h>

#include "engine/sound_bank.h"
#include "test_support.h"

namespace corvane {
namespace {

using testing::EngineTest;
using testing::RiffBuilder;

class SoundLoading : public EngineTest {};

std::vector<int16_t> QuietThenLoud(size_t quiet, size_t loud) {
  std::vector<int16_t> s(quiet, 150);
  for (size_t i = 0; i < quiet; i += 2) s[i] = -150;
  s.insert(s.end(), loud, 9000);
  return s;
}

TEST_F(SoundLoading, SecondDifferencesRoundTrip) {
  std::vector<int16_t> y = {0, 32767, -32768, 12345, -1, 7, 7, 7, -20000, 30000};
  auto e = EncodeSecondDifferences(y);
  auto bytes = RiffBuilder::Samples(e);
  DecodeSecondDifferences(bytes.data(), static_cast<uint32_t>(y.size()));
  EXPECT_EQ(bytes, RiffBuilder::Samples(y));

  TWave w;
  LoadSound(w, WriteFile("one.mwav", RiffBuilder::PcmFile({4321})), false);
  EXPECT_EQ(SamplesOf(w), (std::vector<int16_t>{4321}));
}

TEST_F(SoundLoading, OnlyTheExactExtensionIsDecoded) {
  std::vector<int16_t> y = {1000, 2000, 3000, 4000};
  auto file = RiffBuilder::PcmFile(EncodeSecondDifferences(y));
  TWave decoded, upper;
  LoadSound(decoded, WriteFile("a.mwav", file), false);
  LoadSound(upper, WriteFile("b.MWAV", file), false);
  EXPECT_EQ(SamplesOf(decoded), y);
  EXPECT_EQ(SamplesOf(upper), EncodeSecondDifferences(y));
}

TEST_F(SoundLoading, LeadingSilenceIsTrimmedInWholeMilliseconds) {
  struct Case {
    size_t quiet;
    size_t removed;
  };
  for (const Case& c : {Case{2205, 2205}, Case{882, 838}, Case{100, 88}, Case{0, 0}, Case{20, 0}}) {
    TWave w;
    LoadSound(w, WriteFile("q.wav", RiffBuilder::PcmFile(QuietThenLoud(c.quiet, 3000))), false);
    EXPECT_EQ(w.DataSize() / 2, c.quiet + 3000 - c.removed) << c.quiet;
  }
  TWave allQuiet;
  LoadSound(allQuiet, WriteFile("quiet.wav", RiffBuilder::PcmFile(std::vector<int16_t>(4410, 3))), false);
  EXPECT_LT(allQuiet.DataSize() / 2, 45u);  // the scan stops at the end of the data
}

TEST_F(SoundLoading, BoostDoublesWithSaturation) {
  TWave w;
  LoadSound(w, WriteFile("b.wav", RiffBuilder::PcmFile({20000, -20000, 1000, -1000})), true);
  EXPECT_EQ(SamplesOf(w), (std::vector<int16_t>{32767, -32767, 2000, -2000}));
}

TEST_F(SoundLoading, BankKeepsOldSoundWhenAFileCannotBeOpenedAndEmptiesItForNonWaves) {
  SoundBank& bank = Engine().Sounds;
  auto good = WriteFile("good.wav", RiffBuilder::PcmFile({5000, 6000}));
  bank.Load(SoundSlot::Sound2, good, false);
  auto before = bank.Samples(SoundSlot::Sound2);
  EXPECT_THROW(bank.Load(SoundSlot::Sound2, dir / "missing.wav", false), WaveFileError);
  EXPECT_EQ(bank.Samples(SoundSlot::Sound2), before);
  EXPECT_TRUE(bank.Valid(SoundSlot::Sound2));

  bank.Load(SoundSlot::Sound2, WriteFile("text.wav", {'h', 'e', 'l', 'l', 'o'}), false);
  EXPECT_FALSE(bank.Valid(SoundSlot::Sound2));
  EXPECT_TRUE(bank.Samples(SoundSlot::Sound2)->samples.empty());
  // The renderer may still hold the old samples; they stay intact.
  EXPECT_EQ(before->samples, (std::vector<int16_t>{5000, 6000}));
}

TEST_F(SoundLoading, StartupLoadsWhatExistsAndSkipsTheRest) {
  EngineSettings& s = Engine().Settings;
  s.Sound1File.Set(WriteFile("one.wav", RiffBuilder::PcmFile({3000})).string());
  s.Sound2File.Set((dir / "absent.wav").string());
  Engine().Sounds.Startup(s, dir / "no-bell.mwav");
  EXPECT_TRUE(Engine().Sounds.Valid(SoundSlot::Sound1));
  EXPECT_FALSE(Engine().Sounds.Valid(SoundSlot::Sound2));
  EXPECT_FALSE(Engine().Sounds.Valid(SoundSlot::Bell));
  EXPECT_TRUE(diagnostics.empty());
}

}  // namespace
}  // namespace corvane
