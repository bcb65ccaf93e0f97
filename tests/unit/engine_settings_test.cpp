#include <gtest/gtest.h>

#include "engine/engine.h"
#include "settings/atomic_file.h"
#include "settings/settings_store.h"
#include "test_support.h"

namespace corvane {
namespace {

using testing::EngineTest;

class EngineSettingsTest : public EngineTest {};

TEST_F(EngineSettingsTest, FreshInstallationLoadsTheDefaults) {
  SettingsStore store(SettingsStore::DefaultPath());
  EngineSettings& s = Engine().Settings;
  s.BPM = 77;
  LoadEngineSettings(s, store);
  EXPECT_EQ(s.BPM, 120);
  EXPECT_EQ(s.Meter.Get(), "Xxxx");
  EXPECT_EQ(s.Subbeats.Get(), "");
  EXPECT_EQ(s.BeatDivisor, 1);
  EXPECT_EQ(s.VolRatioDownbeat, 1);
  EXPECT_EQ(s.VolRatioBeat, 0.56);
  EXPECT_EQ(s.VolRatioSubbeat, 0.18);
  EXPECT_EQ(s.VolRatioBell, 0.35);
  EXPECT_FALSE(s.MixWithBeat);
  EXPECT_TRUE(s.BellOnFirst);
  EXPECT_FALSE(s.AutoFadeout);
  EXPECT_FALSE(s.Boost6dB);
  EXPECT_EQ(s.Sound1File.Get(), "Click 02b.mwav");
  EXPECT_EQ(s.Sound2File.Get(), "Clave 01 Hi.mwav");
  EXPECT_EQ(s.AudioDev.Get(), "");
  EXPECT_EQ(s.MasterVol, -1000);
  EXPECT_EQ(s.MasterPan, 0);
  EXPECT_TRUE(s.FXAllowed);
  EXPECT_EQ(s.FXDepth, 8);
  EXPECT_EQ(s.BufferSize, 32768);
}

TEST_F(EngineSettingsTest, StoredValuesThatCannotPlayAreCorrected) {
  SettingsStore store(SettingsStore::DefaultPath());
  store.WriteInt("BPM", 90);  // an integer, not an 8-byte double
  store.WriteFloat("VolRatioBeat", 0);
  store.WriteFloat("VolRatioBell", -1);
  store.WriteFloat("VolRatioSubbeat", 0.5);
  store.WriteInt("BeatDivisor", 0);
  store.WriteStr("Meter", "");
  store.WriteStr("Subbeats", std::string(300, 's'));
  EngineSettings& s = Engine().Settings;
  LoadEngineSettings(s, store);
  EXPECT_EQ(s.BPM, 120);
  EXPECT_EQ(s.VolRatioBeat, 0.56);
  EXPECT_EQ(s.VolRatioBell, 0.35);
  EXPECT_EQ(s.VolRatioSubbeat, 0.5);
  EXPECT_EQ(s.BeatDivisor, 1);
  EXPECT_EQ(s.Meter.Get(), "Xxxx");
  EXPECT_EQ(s.Subbeats.Get().size(), 99u);
}

TEST_F(EngineSettingsTest, SaveWritesEveryFieldInOrderAndLoadRestoresThem) {
  EngineSettings& s = Engine().Settings;
  s.BPM = 133.25;
  s.SetMeter("XxxXx");
  s.SetSubbeats("s_s");
  s.BeatDivisor = 2;
  s.MasterVol = -2500;
  s.MasterPan = 300;
  s.MixWithBeat = true;
  s.BellOnFirst = false;
  s.Sound1File.Set("/tmp/a.wav");
  {
    SettingsStore store(SettingsStore::DefaultPath());
    SaveEngineSettings(s, store, "{00000000-0000-0000-0000-000000000000}");
  }
  std::string text;
  ASSERT_TRUE(ReadWholeFile(SettingsStore::DefaultPath(), text));
  const char* order[] = {"AudioDev", "MasterVol", "MasterPan", "VolRatioDownbeat", "VolRatioBeat",
                         "VolRatioSubbeat", "VolRatioBell", "AutoFadeout", "MixWithBeat", "BellOnFirst",
                         "BeatDivisor", "Boost6dB", "Subbeats", "BPM", "Meter", "Sound1File",
                         "Sound2File", "FXAllowed", "FXDepth"};
  size_t last = 0;
  for (const char* name : order) {
    size_t at = text.find("\"" + std::string(name) + "\"=");
    ASSERT_NE(at, std::string::npos) << name;
    EXPECT_GT(at, last) << name;
    last = at;
  }

  ResetEngine();
  LoadEngineSettings(s, SettingsStore(SettingsStore::DefaultPath()));
  EXPECT_EQ(s.BPM, 133.25);
  EXPECT_EQ(s.Meter.Get(), "XxxXx");
  EXPECT_EQ(s.Subbeats.Get(), "s_s");
  EXPECT_EQ(s.BeatDivisor, 2);
  EXPECT_EQ(s.MasterVol, -2500);
  EXPECT_EQ(s.MasterPan, 300);
  EXPECT_TRUE(s.MixWithBeat);
  EXPECT_FALSE(s.BellOnFirst);
  EXPECT_EQ(s.Sound1File.Get(), "/tmp/a.wav");
  EXPECT_EQ(s.AudioDev.Get(), "{00000000-0000-0000-0000-000000000000}");
}

TEST_F(EngineSettingsTest, TempoLimitsAreHeldWithinTheirRanges) {
  struct Case {
    double min, max, wantMin, wantMax;
  };
  for (const Case& c : {Case{40, 208, 40, 208}, Case{0, 100, 1, 208}, Case{-5, 1000, 1, 999},
                        Case{41, 999, 40, 999}, Case{12.5, 500, 12.5, 500}}) {
    EngineSettings& s = Engine().Settings;
    SetTempoLimits(s, c.min, c.max);
    EXPECT_EQ(s.MinBPM, c.wantMin);
    EXPECT_EQ(s.MaxBPM, c.wantMax);
    EXPECT_EQ(s.BPMSpan, c.wantMax - c.wantMin);
  }
}

}  // namespace
}  // namespace corvane
