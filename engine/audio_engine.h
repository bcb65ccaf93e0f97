#pragma once
// The audio engine's life: start-up, the output device and its buffers,
// master volume and balance, re-initialisation and shutdown.
#include <string>

#include "engine/sound_bank.h"

namespace corvane {

class AudioBackend;
class EngineUi;
class SettingsStore;

// Loads the settings, lists the devices, loads the sounds, opens the output
// of AudioDev and fills the tap buffer.
void EngineStartup(EngineUi* ui, const SettingsStore& store, AudioBackend* backend);
// Saves the settings, releases the output, forgets the devices and sounds.
void EngineShutdown(SettingsStore& store);

void InitOutput(const std::string& deviceGuidText);
void ReleaseOutput();  // stops playback first

void FillTapBuffer();
void PlayTap();
void SetMasterVolume(int volume);  // -3000 and below is silence
void SetMasterPan(int pan);

// Re-initialisation from the options: another device, another buffer size
// (factor 2..7 times 8192 bytes; the size in use changes nothing).
void ChangeOutputDevice(const std::string& deviceGuidText);
void ChangeBufferSizeFactor(int factor, const std::string& deviceGuidText);

// Loads fileName into Sound 1 or Sound 2 and then records it as that sound's
// file. Throws WaveFileError when the file cannot be opened (nothing changes).
void ChangeSound(SoundSlot slot, const std::string& fileName);

bool OutputReady();
uint32_t OutputInitError();
std::string SelectedDeviceGuidText();

}  // namespace corvane
