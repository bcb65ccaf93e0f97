#include "engine/audio_engine.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "engine/engine.h"
#include "engine/streaming.h"
#include "settings/diagnostics.h"
#include "settings/settings_store.h"

namespace corvane {

namespace {
constexpr uint32_t kTapBufferBytes = 8192;

void ApplyVolume(SoundBuffer* buffer, int volume) {
  if (buffer) buffer->SetVolume(volume <= -3000 ? kSilentVolume : volume);
}
}  // namespace

void EngineStartup(EngineUi* ui, const SettingsStore& store, AudioBackend* backend) {
  EngineGlobals& e = Engine();
  e.Ui = ui;
  e.Backend = backend;
  LoadEngineSettings(e.Settings, store);

  e.DeviceGuidTexts.clear();
  e.DeviceNames.clear();
  std::vector<AudioDeviceInfo> devices;
  if (backend && !CheckHR(backend->EnumerateDevices(&devices), "Failed enumerating sound devices")) {
    for (const AudioDeviceInfo& d : devices) {
      e.DeviceGuidTexts.push_back(d.id);
      e.DeviceNames.push_back(d.name);
    }
  }

  e.Sounds.Startup(e.Settings, defaults::BellFile);
  InitOutput(e.Settings.AudioDev.Get());
  std::error_code ec;
  if (e.OutputReady && std::filesystem::exists(e.Settings.Sound2File.Get(), ec)) FillTapBuffer();
}

void EngineShutdown(SettingsStore& store) {
  EngineGlobals& e = Engine();
  SaveEngineSettings(e.Settings, store, SelectedDeviceGuidText());
  ReleaseOutput();
  e.DeviceGuidTexts.clear();
  e.DeviceNames.clear();
  e.Sounds.Clear();
}

void InitOutput(const std::string& deviceGuidText) {
  EngineGlobals& e = Engine();
  e.OutputReady = true;
  e.SelectedDevice = 0;
  for (size_t i = 0; i < e.DeviceGuidTexts.size(); ++i)
    if (e.DeviceGuidTexts[i] == deviceGuidText) e.SelectedDevice = static_cast<int16_t>(i);

  // No device list (no driver, or it lists nothing): the engine is not ready.
  if (!e.Backend || e.DeviceGuidTexts.empty()) {
    e.OutputReady = false;
    e.OutputInitError = e.Backend ? rc::NoAudioDevice : rc::NoAudioDriver;
    CheckHR(e.OutputInitError, "Failed to initialize DirectSound driver");
    return;
  }
  if (CheckHR(e.Backend->OpenDevice(e.DeviceGuidTexts[static_cast<size_t>(e.SelectedDevice)], &e.Device),
              "Failed to initialize DirectSound driver")) {
    e.OutputReady = false;
    e.OutputInitError = LastResultCode();
    e.Device.reset();
    return;
  }
  const uint32_t size = static_cast<uint32_t>(std::clamp(e.Settings.BufferSize.load(), 16384, 57344));
  if (CheckHR(e.Device->CreateBuffer(size, &e.StreamBuffer), "Failed creating a sound buffer")) {
    // Without a streaming buffer nothing can play.
    e.OutputReady = false;
    e.OutputInitError = LastResultCode();
  }
  CheckHR(e.Device->CreateBuffer(kTapBufferBytes, &e.TapBuffer), "Failed creating sound buffer for Tap sound");
  SetMasterVolume(e.Settings.MasterVol);
  SetMasterPan(e.Settings.MasterPan);
}

void ReleaseOutput() {
  EngineGlobals& e = Engine();
  StopAndWait();
  e.TapBuffer.reset();
  e.StreamBuffer.reset();
  e.Device.reset();
}

void FillTapBuffer() {
  EngineGlobals& e = Engine();
  if (!e.TapBuffer) return;
  int16_t* region = nullptr;
  uint32_t bytes = 0;
  if (CheckHR(e.TapBuffer->Lock(0, e.TapBuffer->Size(), &region, &bytes), "Cannot lock the buffer for Tap sound")) return;
  const SoundSnapshot sound = e.Sounds.Samples(SoundSlot::Sound2);
  const size_t copy = std::min<size_t>(sound->samples.size() * 2, bytes);
  if (copy > 0) std::memcpy(region, sound->samples.data(), copy);
  CheckHR(e.TapBuffer->Unlock(region, bytes), "Failed unlocking the buffer for Tap sound");
}

void PlayTap() {
  if (SoundBuffer* tap = Engine().TapBuffer.get()) tap->Play(false);
}

void SetMasterVolume(int volume) {
  EngineGlobals& e = Engine();
  e.Settings.MasterVol = volume;
  ApplyVolume(e.StreamBuffer.get(), volume);
  ApplyVolume(e.TapBuffer.get(), volume);
}

void ChangeSound(SoundSlot slot, const std::string& fileName) {
  EngineGlobals& e = Engine();
  e.Sounds.Load(slot, fileName, e.Settings.Boost6dB);
  (slot == SoundSlot::Sound1 ? e.Settings.Sound1File : e.Settings.Sound2File).Set(fileName);
}

void SetMasterPan(int pan) {
  EngineGlobals& e = Engine();
  e.Settings.MasterPan = pan;
  if (e.StreamBuffer) e.StreamBuffer->SetPan(pan);
  if (e.TapBuffer) e.TapBuffer->SetPan(pan);
}

void ChangeOutputDevice(const std::string& deviceGuidText) {
  ReleaseOutput();
  InitOutput(deviceGuidText);
}

void ChangeBufferSizeFactor(int factor, const std::string& deviceGuidText) {
  EngineGlobals& e = Engine();
  factor = std::clamp(factor, 2, 7);
  if (factor == e.Settings.BufferSize / 8192) return;
  ReleaseOutput();
  e.Settings.BufferSize = factor * 8192;
  InitOutput(deviceGuidText);
}

bool OutputReady() { return Engine().OutputReady; }
uint32_t OutputInitError() { return Engine().OutputInitError; }

std::string SelectedDeviceGuidText() {
  const EngineGlobals& e = Engine();
  const auto i = static_cast<size_t>(e.SelectedDevice);
  return i < e.DeviceGuidTexts.size() ? e.DeviceGuidTexts[i] : kDefaultDeviceId;
}

}  // namespace corvane
