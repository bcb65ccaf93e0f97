#pragma once
// The tips file and the tip window's colours, apart from the window.
#include <cstdint>
#include <istream>
#include <string>

namespace corvane {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

struct TipColours {
  Rgb background, bar, heading;
};

// Colours for tip n: from n mod 3 (truncated remainder); nothing for a
// negative remainder, which leaves the window's colours as they were.
bool TipColoursFor(int n, TipColours& out);

// Same hue and saturation, lightness moved by delta (HSL, channels rounded
// to nearest with halves to even).
Rgb ShiftLightness(Rgb colour, double delta);

struct TipRead {
  std::string text;  // empty when nothing was read
  int next = 1;      // the tip to show next
};

// Tip n is line 2n - 1; the even lines separate tips. Past the end the last
// tip read stays; at the end of the file the next tip is 1.
TipRead ReadTip(std::istream& file, int n);

}  // namespace corvane
