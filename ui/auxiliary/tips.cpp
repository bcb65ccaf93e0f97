#include "ui/auxiliary/tips.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

struct Hsl {
  double h, s, l;
};

Hsl ToHsl(Rgb c) {
  const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  Hsl out{0, 0, (mx + mn) / 2};
  const double d = mx - mn;
  if (d == 0) return out;
  out.s = out.l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
  if (mx == r)
    out.h = (g - b) / d + (g < b ? 6 : 0);
  else if (mx == g)
    out.h = (b - r) / d + 2;
  else
    out.h = (r - g) / d + 4;
  out.h /= 6;
  return out;
}

double HueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 1.0 / 2) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

int ToByte(double v) { return std::clamp(static_cast<int>(std::nearbyint(v * 255)), 0, 255); }

Rgb FromHsl(Hsl c) {
  if (c.s == 0) return {ToByte(c.l), ToByte(c.l), ToByte(c.l)};
  const double q = c.l < 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s;
  const double p = 2 * c.l - q;
  return {ToByte(HueToChannel(p, q, c.h + 1.0 / 3)), ToByte(HueToChannel(p, q, c.h)),
          ToByte(HueToChannel(p, q, c.h - 1.0 / 3))};
}

}  // namespace

Rgb ShiftLightness(Rgb colour, double delta) {
  Hsl hsl = ToHsl(colour);
  hsl.l = std::clamp(hsl.l + delta, 0.0, 1.0);
  return FromHsl(hsl);
}

bool TipColoursFor(int n, TipColours& out) {
  static constexpr Rgb kBackgrounds[] = {{225, 225, 239}, {225, 239, 225}, {239, 225, 225}};
  const int index = n % 3;
  if (index < 0) return false;
  out.background = kBackgrounds[index];
  out.bar = ShiftLightness(out.background, -0.1);
  out.heading = ShiftLightness(out.background, -0.5);
  return true;
}

TipRead ReadTip(std::istream& file, int n) {
  TipRead result;
  std::string line;
  auto atEnd = [&file] { return file.peek() == std::char_traits<char>::eof(); };
  // Once at the end nothing more is read, so a huge n costs nothing.
  for (int i = 0; i < n && !atEnd(); ++i) {
    if (std::getline(file, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      result.text = line;
    }
    if (!atEnd()) std::getline(file, line);
  }
  result.next = atEnd() ? 1 : n + 1;
  return result;
}

}  // namespace corvane
