#include <gtest/gtest.h>

#include <vector>

#include "flasher/wu_circle.h"

namespace corvane {
namespace {

// A 32-bit surface filled with a marker, so untouched pixels show.
struct Surface {
  explicit Surface(int size) : size(size), pixels(size * size, kMarker) {}
  static constexpr uint32_t kMarker = 0xAB000000;
  SurfaceDesc Desc() { return {reinterpret_cast<uint8_t*>(pixels.data()), size * 4, 32}; }
  uint32_t At(int x, int y) const { return pixels[y * size + x]; }
  int size;
  std::vector<uint32_t> pixels;
};

TEST(WuCircle, RadiusOne) {
  Surface s(11);
  DrawWuCircle(s.Desc(), 5, 5, 0x00FFFFFF, 1);
  EXPECT_EQ(s.At(5, 5), 0x00FFFFFFu);
  for (auto [x, y] : {std::pair{4, 5}, {6, 5}, {5, 4}, {5, 6}}) EXPECT_EQ(s.At(x, y), 0x00FEFEFEu) << x << "," << y;
  int touched = 0;
  for (uint32_t p : s.pixels) touched += p != Surface::kMarker;
  EXPECT_EQ(touched, 5);
}

TEST(WuCircle, ColoursAndFootprint) {
  Surface s(250);
  DrawWuCircle(s.Desc(), 125, 125, 0x000000FF, 115);  // red as a platform colour
  EXPECT_EQ(s.At(125, 125), 0x00FF0000u);
  EXPECT_EQ(s.At(10, 125), 0x00FE0000u);  // the extreme points at alpha 1.0
  EXPECT_EQ(s.At(125, 240), 0x00FE0000u);
  int minX = 250, maxX = -1, minY = 250, maxY = -1;
  for (int y = 0; y < 250; ++y)
    for (int x = 0; x < 250; ++x)
      if (s.At(x, y) != Surface::kMarker) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
        EXPECT_EQ(s.At(x, y) & 0xFF00FFFFu, 0u) << x << "," << y;  // only red, top byte 0
      }
  EXPECT_EQ(std::vector({minX, maxX, minY, maxY}), std::vector({10, 240, 10, 240}));
  // Symmetric in all four quadrants, and full inside.
  for (int y = 0; y < 250; ++y)
    for (int x = 1; x < 250; ++x) ASSERT_EQ(s.At(x, y), s.At(250 - x, y)) << x << "," << y;
  EXPECT_EQ(s.At(125 + 80, 125 + 80), 0x00FF0000u);
}

TEST(WuCircle, BlendRounding) {
  EXPECT_EQ(BlendColor(0x00FFFFFF, 0, 0.5), 0x007F7F7Fu);  // a = round(127.5) = 128: 255 * 128 >> 8
  EXPECT_EQ(BlendColor(0x00FFFFFF, 0x00FFFFFF, 0.5), 0x00FEFEFEu);
  EXPECT_EQ(BlendColor(0x00FFFFFF, 0, 1.0), 0x00FEFEFEu);
  EXPECT_EQ(BlendColor(0x00FFFFFF, 0, 0.0), 0u);
  EXPECT_EQ(BlendColor(0x00102030, 0x00FFFFFF, 1.0), 0x000F1F2Fu);
  EXPECT_EQ(PlatformColourToPixel(0x00332211), 0x00112233u);
}

}  // namespace
}  // namespace corvane
