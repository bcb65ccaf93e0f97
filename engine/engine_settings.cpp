#include "engine/engine_settings.h"

#include "engine/meter.h"
#include "settings/settings_store.h"

namespace corvane {

void EngineSettings::ResetToDefaults() {
  BPM = defaults::BPM;
  Meter.Set(defaults::Meter);
  Subbeats.Set("");
  BeatDivisor = defaults::BeatDivisor;
  VolRatioDownbeat = defaults::VolRatioDownbeat;
  VolRatioBeat = defaults::VolRatioBeat;
  VolRatioSubbeat = defaults::VolRatioSubbeat;
  VolRatioBell = defaults::VolRatioBell;
  MixWithBeat = false;
  BellOnFirst = true;
  AutoFadeout = false;
  Boost6dB = false;
  Sound1File.Set(defaults::Sound1File);
  Sound2File.Set(defaults::Sound2File);
  AudioDev.Set("");
  MasterVol = defaults::MasterVol;
  MasterPan = defaults::MasterPan;
  FXAllowed = true;
  FXDepth = defaults::FXDepth;
  MinBPM = defaults::MinBPM;
  MaxBPM = defaults::MaxBPM;
  BPMSpan = defaults::MaxBPM - defaults::MinBPM;
  BufferSize = defaults::BufferSize;
}

void EngineSettings::SetMeter(std::string meter) {
  // An empty stored meter would leave the renderer nothing to play: use the default.
  if (meter.empty()) meter = defaults::Meter;
  if (meter.size() > kMaxMeterCells) meter.resize(kMaxMeterCells);
  Meter.Set(std::move(meter));
}

void EngineSettings::SetSubbeats(std::string subbeats) {
  if (subbeats.size() > kMaxMeterCells) subbeats.resize(kMaxMeterCells);
  Subbeats.Set(std::move(subbeats));
}

void EngineSettings::SetBeatDivisor(int divisor) { BeatDivisor = divisor < 1 ? 1 : divisor; }

namespace {
double PositiveOr(double value, double fallback) { return value > 0 ? value : fallback; }
}  // namespace

void LoadEngineSettings(EngineSettings& s, const SettingsStore& store) {
  s.MasterVol = store.ReadIntDef("MasterVol", defaults::MasterVol);
  s.MasterPan = store.ReadIntDef("MasterPan", defaults::MasterPan);
  s.BPM = store.ReadFloatDef("BPM", defaults::BPM);
  s.VolRatioDownbeat = PositiveOr(store.ReadFloatDef("VolRatioDownbeat", defaults::VolRatioDownbeat), defaults::VolRatioDownbeat);
  s.VolRatioBeat = PositiveOr(store.ReadFloatDef("VolRatioBeat", defaults::VolRatioBeat), defaults::VolRatioBeat);
  s.VolRatioSubbeat = PositiveOr(store.ReadFloatDef("VolRatioSubbeat", defaults::VolRatioSubbeat), defaults::VolRatioSubbeat);
  s.VolRatioBell = PositiveOr(store.ReadFloatDef("VolRatioBell", defaults::VolRatioBell), defaults::VolRatioBell);
  s.AutoFadeout = store.ReadBoolDef("AutoFadeout", false);
  s.MixWithBeat = store.ReadBoolDef("MixWithBeat", false);
  s.BellOnFirst = store.ReadBoolDef("BellOnFirst", true);
  s.SetBeatDivisor(store.ReadIntDef("BeatDivisor", defaults::BeatDivisor));
  s.Boost6dB = store.ReadBoolDef("Boost6dB", false);
  s.AudioDev.Set(store.ReadStrDef("AudioDev", ""));
  s.SetMeter(store.ReadStrDef("Meter", defaults::Meter));
  s.SetSubbeats(store.ReadStrDef("Subbeats", ""));
  s.Sound1File.Set(store.ReadStrDef("Sound1File", defaults::Sound1File));
  s.Sound2File.Set(store.ReadStrDef("Sound2File", defaults::Sound2File));
  s.FXAllowed = store.ReadBoolDef("FXAllowed", true);
  s.FXDepth = store.ReadIntDef("FXDepth", defaults::FXDepth);
}

void SaveEngineSettings(const EngineSettings& s, SettingsStore& store, const std::string& audioDevText) {
  SettingsStore::Batch batch(store);
  store.WriteStr("AudioDev", audioDevText);
  store.WriteInt("MasterVol", s.MasterVol);
  store.WriteInt("MasterPan", s.MasterPan);
  store.WriteFloat("VolRatioDownbeat", s.VolRatioDownbeat);
  store.WriteFloat("VolRatioBeat", s.VolRatioBeat);
  store.WriteFloat("VolRatioSubbeat", s.VolRatioSubbeat);
  store.WriteFloat("VolRatioBell", s.VolRatioBell);
  store.WriteBool("AutoFadeout", s.AutoFadeout);
  store.WriteBool("MixWithBeat", s.MixWithBeat);
  store.WriteBool("BellOnFirst", s.BellOnFirst);
  store.WriteInt("BeatDivisor", s.BeatDivisor);
  store.WriteBool("Boost6dB", s.Boost6dB);
  store.WriteStr("Subbeats", s.Subbeats.Get());
  store.WriteFloat("BPM", s.BPM);
  store.WriteStr("Meter", s.Meter.Get());
  store.WriteStr("Sound1File", s.Sound1File.Get());
  store.WriteStr("Sound2File", s.Sound2File.Get());
  store.WriteBool("FXAllowed", s.FXAllowed);
  store.WriteInt("FXDepth", s.FXDepth);
}

void SetTempoLimits(EngineSettings& s, double minBpm, double maxBpm) {
  if (minBpm <= 0) minBpm = 1;
  if (minBpm > 40) minBpm = 40;
  if (maxBpm < 208) maxBpm = 208;
  if (maxBpm >= 1000) maxBpm = 999;
  s.MinBPM = minBpm;
  s.MaxBPM = maxBpm;
  s.BPMSpan = maxBpm - minBpm;
}

}  // namespace corvane
