#include "flasher/wu_circle.h"

#include <cmath>
#include <cstring>

namespace corvane {

namespace {

struct Context {
  SurfaceDesc surface;
  uint32_t colour;

  uint8_t* PixelAddress(int x, int y) const {
    return surface.bits + static_cast<intptr_t>(x) * (surface.bitsPerPixel / 8) +
           static_cast<intptr_t>(y) * surface.pitch;
  }
  void PlotPixel(int x, int y, double alpha) const {
    const uint32_t pixel = BlendColor(colour, 0, alpha);
    std::memcpy(PixelAddress(x, y), &pixel, 4);
  }
  void FillSpan(int x1, int x2, int y) const {
    uint8_t* p = PixelAddress(x1, y);
    for (int x = x1; x <= x2; ++x, p += 4) std::memcpy(p, &colour, 4);
  }
};

}  // namespace

uint32_t PlatformColourToPixel(uint32_t colour) {
  const uint32_t r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  return (r << 16) | (g << 8) | b;
}

uint32_t BlendColor(uint32_t colour1, uint32_t colour2, double alpha) {
  // The single-precision alpha times 255 is exact in double precision.
  const double scaled = static_cast<double>(static_cast<float>(alpha)) * 255.0;
  const uint32_t a = static_cast<uint32_t>(static_cast<long long>(std::nearbyint(scaled))) & 0xFF;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t c1 = (colour1 >> shift) & 0xFF, c2 = (colour2 >> shift) & 0xFF;
    result |= (((c1 * a + c2 * (255 - a)) >> 8) & 0xFF) << shift;
  }
  return result;
}

void DrawWuCircle(const SurfaceDesc& surface, int cx, int cy, uint32_t colour, int r) {
  const Context c{surface, PlatformColourToPixel(colour)};
  int x = r, xPrev = r, y = 0;
  double T = 0;
  auto mirrors = [&](auto plot) {
    for (int k = 0; k < 4; ++k) plot(k % 2 == 0 ? -1 : 1, k < 2 ? -1 : 1);
  };
  c.FillSpan(cx - r + 1, cx + r - 1, cy);
  mirrors([&](int sx, int sy) {
    c.PlotPixel(cx + sx * x, cy + sy * y, 1.0);
    c.PlotPixel(cx + sx * y, cy + sy * x, 1.0);
  });
  while (y < x) {
    ++y;
    const int32_t q = r * r - y * y;
    const long double s = std::sqrt(static_cast<long double>(q));
    const long double truncated = std::trunc(s);
    const long double ceiling = truncated + (s > truncated ? 1 : 0);
    const double D = static_cast<double>(ceiling - s);
    if (D < T) --x;
    if (y > x) break;
    if (y == x && x == xPrev) break;
    const double edge = static_cast<double>(1.0L - static_cast<long double>(D));
    mirrors([&](int sx, int sy) {
      c.PlotPixel(cx + sx * x, cy + sy * y, edge);
      c.PlotPixel(cx + sx * y, cy + sy * x, edge);
      if (y <= x - 1) {
        c.PlotPixel(cx + sx * (x - 1), cy + sy * y, D);
        c.PlotPixel(cx + sx * y, cy + sy * (x - 1), D);
      }
    });
    c.FillSpan(cx - x + 1, cx + x - 1, cy - y);
    c.FillSpan(cx - x + 1, cx + x - 1, cy + y);
    c.FillSpan(cx - y, cx + y, cy - x + 1);
    c.FillSpan(cx - y, cx + y, cy + x - 1);
    T = D;
    xPrev = x;
  }
}

}  // namespace corvane
