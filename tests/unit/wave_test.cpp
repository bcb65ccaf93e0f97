#include <gtest/gtest.h>

#include <cstring>

#include "engine/sound_bank.h"
#include "test_support.h"
#include "wave/wave.h"

namespace corvane {
namespace {

using testing::RiffBuilder;

std::vector<int16_t> Ramp(size_t n) {
  std::vector<int16_t> s(n);
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<int16_t>(i);
  return s;
}

TEST(Wave, FreshWaveIsNotValid) {
  TWave w;
  EXPECT_FALSE(w.Valid());
  EXPECT_EQ(w.DataSize(), 0u);
  EXPECT_EQ(w.DataOffset(), 0u);
  EXPECT_EQ(w.WaveFormat(), nullptr);
  EXPECT_EQ(w.Data(), nullptr);
}

TEST(Wave, ParsesChunkLayouts) {
  auto data = RiffBuilder::Samples({1, 2, 3});
  auto format16 = RiffBuilder::Pcm16Format(16);
  auto format17 = RiffBuilder::Pcm16Format(17);
  struct Case {
    const char* what;
    std::vector<uint8_t> image;
    bool valid;
    uint32_t offset;
  };
  const Case cases[] = {
      {"16-byte fmt", RiffBuilder().Chunk("fmt ", format16).Chunk("data", data).Wave(), true, 44},
      {"14-byte fmt", RiffBuilder().Chunk("fmt ", RiffBuilder::Pcm16Format(14)).Chunk("data", data).Wave(), true, 42},
      {"12-byte fmt", RiffBuilder().Chunk("fmt ", RiffBuilder::Pcm16Format(12)).Chunk("data", data).Wave(), false, 0},
      {"odd fmt with pad", RiffBuilder().Chunk("fmt ", format17).Chunk("data", data).Wave(), true, 46},
      {"LIST between", RiffBuilder().Chunk("fmt ", format16).Chunk("LIST", {'a', 'b', 'c'}).Chunk("data", data).Wave(), true, 56},
      {"data before fmt", RiffBuilder().Chunk("data", data).Chunk("fmt ", format16).Wave(), false, 0},
      {"no data", RiffBuilder().Chunk("fmt ", format16).Wave(), false, 0},
      {"not RIFF", RiffBuilder().Chunk("JUNK", {1, 2, 3, 4}).Bytes(), false, 0},
      {"RIFF but not WAVE", RiffBuilder().Chunk("RIFF", {'A', 'V', 'I', ' '}).Bytes(), false, 0},
      {"empty", {}, false, 0},
      {"junk before RIFF", RiffBuilder().Chunk("JUNK", {9, 9}).Raw(RiffBuilder().Chunk("fmt ", format16).Chunk("data", data).Wave()).Bytes(), true, 54},
  };
  for (const Case& c : cases) {
    TWave w;
    w.LoadFromBytes(c.image);
    EXPECT_EQ(w.Valid(), c.valid) << c.what;
    EXPECT_EQ(w.DataOffset(), c.offset) << c.what;
    EXPECT_EQ(w.DataSize(), c.valid ? 6u : 0u) << c.what;
    if (c.valid) {
      EXPECT_EQ(WaveFormatView{*w.WaveFormat()}.CbSize(), 0) << c.what;
    }
  }
}

TEST(Wave, DataChunkClaimingTooMuchIsCutToTheBytesPresent) {
  auto image = RiffBuilder().Chunk("fmt ", RiffBuilder::Pcm16Format()).Chunk("data", RiffBuilder::Samples(std::vector<int16_t>(2000, 7))).Wave();
  image[42] = 0xFF;  // data size: far more than the file holds
  image[43] = 0x7F;
  TWave w;
  w.LoadFromBytes(image);
  ASSERT_TRUE(w.Valid());
  EXPECT_EQ(w.DataSize(), 4000u);
  EXPECT_TRUE(w.ChangeVolume(100));
  EXPECT_TRUE(w.Delete(0, 10));
  EXPECT_EQ(w.DataSize(), 4000u - 882);
  EXPECT_EQ(SamplesOf(w).back(), 14);

  // Truncated inside the format chunk, and chunk sizes that overflow offsets.
  auto cut = RiffBuilder().Chunk("fmt ", RiffBuilder::Pcm16Format()).Wave();
  cut.resize(30);
  w.LoadFromBytes(cut);
  EXPECT_FALSE(w.Valid());
  auto huge = RiffBuilder().Chunk("fmt ", RiffBuilder::Pcm16Format()).Chunk("JUNK", {1, 2}).Chunk("data", {1, 2}).Wave();
  huge[40] = huge[41] = huge[42] = huge[43] = 0xFF;  // JUNK size 4 GiB - 1
  w.LoadFromBytes(huge);
  EXPECT_FALSE(w.Valid());
}

TEST(Wave, DeleteRemovesWholeFramesAndLeavesACanonicalImage) {
  struct Case {
    uint32_t pos, len;
    bool result;
    size_t remaining;
  };
  const Case cases[] = {
      {0, 0, false, 44100},        // nothing to delete
      {0, 10, true, 44100 - 441},  // 882 bytes
      {0, 5, true, 44100 - 220},   // 440 bytes
      {990, 100, true, 44100 - 441},  // runs past the end: everything from Pos on
      {0, 1000, false, 0},         // covers all the data: an empty data chunk
      {1000, 1, false, 44100},     // Pos not below Length
  };
  for (const Case& c : cases) {
    TWave w;
    auto image = RiffBuilder().Chunk("fmt ", RiffBuilder::Pcm16Format()).Chunk("LIST", {1, 2, 3, 4}).Chunk("data", RiffBuilder::Samples(Ramp(44100))).Wave();
    w.LoadFromBytes(image);
    ASSERT_EQ(w.Length(), 1000u);
    EXPECT_EQ(w.Delete(c.pos, c.len), c.result) << c.pos << "+" << c.len;
    EXPECT_EQ(w.DataSize(), c.remaining * 2) << c.pos << "+" << c.len;
    if (c.len != 0 && c.pos < 1000) {
      EXPECT_EQ(w.DataOffset(), 46u);
      EXPECT_EQ(w.Image().size(), 46 + c.remaining * 2);
    }
  }
  TWave w;
  w.LoadFromBytes(RiffBuilder::PcmFile(Ramp(44100)));
  ASSERT_TRUE(w.Delete(0, 10));
  int16_t first;
  std::memcpy(&first, w.Data(), 2);
  EXPECT_EQ(first, 441);
  EXPECT_EQ(w.Image()[36], 0);  // cbSize written
  EXPECT_EQ(w.Image()[16], 18);
}

TEST(Wave, ChangeVolumeScalesAndClamps) {
  TWave w;
  w.LoadFromBytes(RiffBuilder::PcmFile({1000, 20000, -20000, -1, 0, 32767, -32768}));
  ASSERT_TRUE(w.ChangeVolume(100));
  std::vector<int16_t> s(7);
  std::memcpy(s.data(), w.Data(), 14);
  EXPECT_EQ(s, (std::vector<int16_t>{2000, 32767, -32767, -2, 0, 32767, -32767}));
  ASSERT_TRUE(w.ChangeVolume(-50));
  std::memcpy(s.data(), w.Data(), 14);
  EXPECT_EQ(s[0], 1000);
  EXPECT_EQ(s[3], -1);  // -2 + (-2 * -50) / 100 = -2 + 1

  auto eight = RiffBuilder::Pcm16Format();
  eight[14] = 8;
  w.LoadFromBytes(RiffBuilder().Chunk("fmt ", eight).Chunk("data", {100, 200, 0}).Wave());
  ASSERT_TRUE(w.ChangeVolume(100));
  EXPECT_EQ(w.Data()[0], 200);
  EXPECT_EQ(w.Data()[1], 255);
}

TEST(Wave, ChangeVolumeRefusesOtherFormats) {
  auto floatFormat = RiffBuilder::Pcm16Format();
  floatFormat[0] = 3;
  floatFormat[14] = 32;
  auto wide = RiffBuilder::Pcm16Format();
  wide[14] = 24;
  for (const auto& format : {floatFormat, wide}) {
    TWave w;
    auto image = RiffBuilder().Chunk("fmt ", format).Chunk("data", {1, 2, 3, 4, 5, 6}).Wave();
    w.LoadFromBytes(image);
    EXPECT_FALSE(w.ChangeVolume(100));
    EXPECT_EQ(w.Image(), image);
  }
}

TEST(Wave, RewriteFollowsItsStates) {
  TWave w;
  EXPECT_EQ(w.Write("ab", 2), -1);
  EXPECT_FALSE(w.EndRewrite());
  ASSERT_TRUE(w.BeginRewrite(PcmMono16Format()));
  EXPECT_FALSE(w.BeginRewrite(PcmMono16Format()));
  EXPECT_EQ(w.Write("abc", 3), 3);
  ASSERT_TRUE(w.EndRewrite());
  EXPECT_TRUE(w.Valid());
  EXPECT_EQ(w.DataSize(), 3u);
  EXPECT_EQ(w.Image().size(), 49u);
  EXPECT_EQ(w.Image()[4], 42);  // RIFF size counts the pad byte after odd data
}

TEST(Wave, LoadFromFileRaisesForUnreadableFiles) {
  TWave w;
  w.LoadFromBytes(RiffBuilder::PcmFile({1, 2}));
  EXPECT_THROW(w.LoadFromFile("/nonexistent/file.wav"), WaveFileError);
  EXPECT_TRUE(w.Valid());  // keeps what it held
}

}  // namespace
}  // namespace corvane
