#include "engine/audio_output.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace corvane {

namespace {
float Attenuation(int32_t hundredthsDb) {
  if (hundredthsDb <= kSilentVolume) return 0.0f;
  if (hundredthsDb >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}
}  // namespace

ChannelGains GainsFor(int32_t volume, int32_t pan) {
  const float master = Attenuation(volume);
  pan = std::clamp(pan, -10000, 10000);
  ChannelGains g;
  g.left = master * (pan > 0 ? Attenuation(-pan) : 1.0f);
  g.right = master * (pan < 0 ? Attenuation(pan) : 1.0f);
  return g;
}

std::string DeviceIdFromName(const std::string& name) {
  // Two FNV-1a passes with different offsets give 128 stable bits.
  auto fnv = [&](uint64_t hash) {
    for (unsigned char c : name) {
      hash ^= c;
      hash *= 0x100000001B3ull;
    }
    return hash;
  };
  const uint64_t a = fnv(0xCBF29CE484222325ull), b = fnv(0x84222325CBF29CE4ull);
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(a >> 32),
                static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>(a & 0xFFFF),
                static_cast<unsigned>(b >> 48), static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFull));
  return text;
}

}  // namespace corvane
