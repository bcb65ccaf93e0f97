#pragma once
// The audio output layer: what the engine needs of a sound device, kept
// small so that every platform can provide it. A device is opened by its
// identifier text; it carries looping and one-shot buffers of mono 16-bit
// 44,100 Hz samples with lock, unlock, play, stop, cursors, volume and pan.
// Every operation returns a result code (0 for success, see diagnostics.h).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

inline constexpr const char* kDefaultDeviceId = "{00000000-0000-0000-0000-000000000000}";
inline constexpr int32_t kSilentVolume = -10000;  // hundredths of a decibel

struct AudioDeviceInfo {
  std::string id;    // braced upper-case GUID text; kDefaultDeviceId for the default
  std::string name;  // what the user sees
};

class SoundBuffer {
 public:
  virtual ~SoundBuffer() = default;
  virtual uint32_t Size() const = 0;  // bytes

  // One writable region of length bytes at offset (never wrapping).
  virtual uint32_t Lock(uint32_t offset, uint32_t length, int16_t** region, uint32_t* regionBytes) = 0;
  virtual uint32_t Unlock(int16_t* region, uint32_t regionBytes) = 0;

  virtual uint32_t SetCurrentPosition(uint32_t byteOffset) = 0;
  virtual uint32_t Play(bool looping) = 0;
  virtual uint32_t Stop() = 0;
  // playCursor: the byte now audible, as near as the layer can tell.
  // writeCursor: the next byte the device will take; everything before it
  // (back to the play cursor) is already on its way, everything after it may
  // still be written.
  virtual uint32_t GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) = 0;

  // Hundredths of a decibel, 0 to -10000 (silence).
  virtual uint32_t SetVolume(int32_t volume) = 0;
  // -10000 (left only) to 10000 (right only): the other side is attenuated
  // by that many hundredths of a decibel.
  virtual uint32_t SetPan(int32_t pan) = 0;
};

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  virtual uint32_t CreateBuffer(uint32_t bytes, std::unique_ptr<SoundBuffer>* buffer) = 0;
};

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;
  // The output devices, the system's default first. A failure leaves the list empty.
  virtual uint32_t EnumerateDevices(std::vector<AudioDeviceInfo>* devices) = 0;
  virtual uint32_t OpenDevice(const std::string& id, std::unique_ptr<AudioDevice>* device) = 0;
};

// Linear gains of the two channels for a volume and a pan in the units above.
struct ChannelGains {
  float left = 1, right = 1;
};
ChannelGains GainsFor(int32_t volume, int32_t pan);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" derived from a device's name, so
// that the same device has the same identifier in every run.
std::string DeviceIdFromName(const std::string& name);

}  // namespace corvane
