#include <gtest/gtest.h>

#include <cmath>
#include <cctype>
#include <string>

#include "engine/audio_output.h"

namespace corvane {
namespace {

TEST(AudioOutput, VolumeAndPanFollowHundredthsOfADecibel) {
  struct Case {
    int32_t volume, pan;
    float left, right;
  };
  const float minus6dB = static_cast<float>(std::pow(10.0, -600 / 2000.0));
  for (const Case& c : {Case{0, 0, 1, 1}, Case{-600, 0, minus6dB, minus6dB}, Case{-10000, 0, 0, 0},
                        Case{0, -600, 1, minus6dB}, Case{0, 600, minus6dB, 1}, Case{0, -10000, 1, 0},
                        Case{0, 10000, 0, 1}, Case{-600, 600, minus6dB * minus6dB, minus6dB}}) {
    const ChannelGains g = GainsFor(c.volume, c.pan);
    EXPECT_FLOAT_EQ(g.left, c.left) << c.volume << " " << c.pan;
    EXPECT_FLOAT_EQ(g.right, c.right) << c.volume << " " << c.pan;
  }
  // At full level both channels carry the samples unchanged.
  EXPECT_EQ(GainsFor(0, 0).left * -32768.0f, -32768.0f);
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case hexadecimal digits.
bool IsBracedGuid(const std::string& id) {
  const std::string shape = "{........-....-....-....-............}";
  if (id.size() != shape.size()) return false;
  for (size_t i = 0; i < id.size(); ++i) {
    const bool hex = std::isdigit(static_cast<unsigned char>(id[i])) || (id[i] >= 'A' && id[i] <= 'F');
    if (shape[i] == '.' ? !hex : id[i] != shape[i]) return false;
  }
  return true;
}

TEST(AudioOutput, DeviceIdentifiersAreStableBracedGuids) {
  for (const char* name : {"Built-in Audio Analog Stereo", "", "USB \xC3\xA9"}) {
    EXPECT_TRUE(IsBracedGuid(DeviceIdFromName(name))) << DeviceIdFromName(name);
    EXPECT_EQ(DeviceIdFromName(name), DeviceIdFromName(name));
  }
  EXPECT_NE(DeviceIdFromName("a"), DeviceIdFromName("b"));
  EXPECT_NE(DeviceIdFromName("a"), kDefaultDeviceId);
}

}  // namespace
}  // namespace corvane
