#pragma once
// A solid disc with anti-aliased edges, drawn straight into the pixels of a
// 32-bit surface (red in bits 16-23, green 8-15, blue 0-7).
#include <cstdint>

namespace corvane {

struct SurfaceDesc {
  uint8_t* bits = nullptr;  // pixel (0, 0)
  int32_t pitch = 0;        // bytes from one row to the next
  int bitsPerPixel = 32;
};

// colour is a platform colour value 0x00BBGGRR. The caller keeps radius >= 1
// and the square of the disc inside the surface: nothing is clipped.
void DrawWuCircle(const SurfaceDesc& surface, int cx, int cy, uint32_t colour, int radius);

// round(alpha * 255) in single precision, halves to even, kept to 8 bits; each
// channel becomes (c1 * a + c2 * (255 - a)) >> 8.
uint32_t BlendColor(uint32_t colour1, uint32_t colour2, double alpha);

// 0x00BBGGRR to 0x00RRGGBB.
uint32_t PlatformColourToPixel(uint32_t colour);

}  // namespace corvane
