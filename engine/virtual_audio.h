#pragma once
// A sound device that plays nothing and moves only when told to: tests step
// its cursor by hand and read back what a device would have been given.
#include <atomic>
#include <mutex>

#include "engine/audio_output.h"

namespace corvane {

class VirtualAudioBackend;

class VirtualSoundBuffer : public SoundBuffer {
 public:
  VirtualSoundBuffer(VirtualAudioBackend& owner, uint32_t bytes);
  ~VirtualSoundBuffer() override;

  uint32_t Size() const override { return static_cast<uint32_t>(data_.size() * 2); }
  uint32_t Lock(uint32_t offset, uint32_t length, int16_t** region, uint32_t* regionBytes) override;
  uint32_t Unlock(int16_t* region, uint32_t regionBytes) override;
  uint32_t SetCurrentPosition(uint32_t byteOffset) override;
  uint32_t Play(bool looping) override;
  uint32_t Stop() override;
  uint32_t GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) override;
  uint32_t SetVolume(int32_t volume) override;
  uint32_t SetPan(int32_t pan) override;

  // Hands the next frames to the "device" when playing: appends them to
  // heard (if given) and moves the cursor, wrapping when looping.
  void Advance(uint32_t frames, std::vector<int16_t>* heard = nullptr);

  bool Playing() const { return playing_.load(std::memory_order_acquire); }
  int32_t Volume() const { return volume_.load(); }
  int32_t Pan() const { return pan_.load(); }
  std::vector<int16_t> Contents() const;  // for tests, while nothing renders
  std::atomic<bool> failLock{false};
  std::atomic<int> locks{0};

 private:
  VirtualAudioBackend& owner_;
  std::vector<int16_t> data_;
  std::atomic<uint32_t> position_{0};  // frames
  std::atomic<uint32_t> unlocks_{0};   // orders written halves before reads
  std::atomic<bool> playing_{false};
  std::atomic<bool> looping_{false};
  std::atomic<int32_t> volume_{0}, pan_{0};
};

class VirtualAudioBackend : public AudioBackend {
 public:
  // The default device plus one further device per name.
  explicit VirtualAudioBackend(std::vector<std::string> deviceNames = {"Virtual Output"});

  uint32_t EnumerateDevices(std::vector<AudioDeviceInfo>* devices) override;
  uint32_t OpenDevice(const std::string& id, std::unique_ptr<AudioDevice>* device) override;

  // Buffers alive now, in creation order (the engine creates the streaming
  // buffer first, then the tap buffer).
  VirtualSoundBuffer* Buffer(size_t index);
  std::string OpenedId() const;

  std::atomic<uint32_t> failEnumerate{0};
  std::atomic<uint32_t> failOpen{0};
  std::atomic<uint32_t> failCreateBuffer{0};

 private:
  friend class VirtualSoundBuffer;
  friend class VirtualDevice;
  std::vector<std::string> names_;
  mutable std::mutex mutex_;
  std::vector<VirtualSoundBuffer*> buffers_;
  std::string openedId_;
};

}  // namespace corvane
