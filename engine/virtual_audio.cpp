#include "engine/virtual_audio.h"

#include <algorithm>

#include "settings/diagnostics.h"

namespace corvane {

class VirtualDevice : public AudioDevice {
 public:
  explicit VirtualDevice(VirtualAudioBackend& owner) : owner_(owner) {}
  uint32_t CreateBuffer(uint32_t bytes, std::unique_ptr<SoundBuffer>* buffer) override {
    if (uint32_t code = owner_.failCreateBuffer.load()) return code;
    *buffer = std::make_unique<VirtualSoundBuffer>(owner_, bytes);
    return rc::Ok;
  }

 private:
  VirtualAudioBackend& owner_;
};

VirtualSoundBuffer::VirtualSoundBuffer(VirtualAudioBackend& owner, uint32_t bytes) : owner_(owner), data_(bytes / 2, 0) {
  std::lock_guard lock(owner_.mutex_);
  owner_.buffers_.push_back(this);
}

VirtualSoundBuffer::~VirtualSoundBuffer() {
  std::lock_guard lock(owner_.mutex_);
  std::erase(owner_.buffers_, this);
}

uint32_t VirtualSoundBuffer::Lock(uint32_t offset, uint32_t length, int16_t** region, uint32_t* regionBytes) {
  ++locks;
  if (failLock) return rc::LockFailed;
  if (offset % 2 || length % 2 || uint64_t{offset} + length > Size()) return rc::InvalidArg;
  *region = data_.data() + offset / 2;
  *regionBytes = length;
  return rc::Ok;
}

uint32_t VirtualSoundBuffer::Unlock(int16_t*, uint32_t) {
  unlocks_.fetch_add(1, std::memory_order_release);
  return rc::Ok;
}

uint32_t VirtualSoundBuffer::SetCurrentPosition(uint32_t byteOffset) {
  if (byteOffset >= Size()) return rc::InvalidArg;
  position_.store(byteOffset / 2, std::memory_order_release);
  return rc::Ok;
}

uint32_t VirtualSoundBuffer::Play(bool looping) {
  looping_.store(looping);
  playing_.store(true, std::memory_order_release);
  return rc::Ok;
}

uint32_t VirtualSoundBuffer::Stop() {
  playing_.store(false, std::memory_order_release);
  return rc::Ok;
}

uint32_t VirtualSoundBuffer::GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) {
  const uint32_t bytes = position_.load(std::memory_order_acquire) * 2;
  if (playCursor) *playCursor = bytes;
  if (writeCursor) *writeCursor = bytes;
  return rc::Ok;
}

uint32_t VirtualSoundBuffer::SetVolume(int32_t volume) {
  volume_ = volume;
  return rc::Ok;
}

uint32_t VirtualSoundBuffer::SetPan(int32_t pan) {
  pan_ = pan;
  return rc::Ok;
}

void VirtualSoundBuffer::Advance(uint32_t frames, std::vector<int16_t>* heard) {
  (void)unlocks_.load(std::memory_order_acquire);
  uint32_t pos = position_.load(std::memory_order_acquire);
  const auto size = static_cast<uint32_t>(data_.size());
  for (uint32_t i = 0; i < frames && playing_.load(std::memory_order_acquire) && size > 0; ++i) {
    if (heard) heard->push_back(data_[pos]);
    if (++pos == size) {
      pos = 0;
      if (!looping_) playing_.store(false, std::memory_order_release);
    }
  }
  position_.store(pos, std::memory_order_release);
}

std::vector<int16_t> VirtualSoundBuffer::Contents() const {
  (void)unlocks_.load(std::memory_order_acquire);
  return data_;
}

VirtualAudioBackend::VirtualAudioBackend(std::vector<std::string> deviceNames) : names_(std::move(deviceNames)) {}

uint32_t VirtualAudioBackend::EnumerateDevices(std::vector<AudioDeviceInfo>* devices) {
  devices->clear();
  if (uint32_t code = failEnumerate.load()) return code;
  devices->push_back({kDefaultDeviceId, "Default output"});
  for (const std::string& name : names_) devices->push_back({DeviceIdFromName(name), name + " [virtual]"});
  return rc::Ok;
}

uint32_t VirtualAudioBackend::OpenDevice(const std::string& id, std::unique_ptr<AudioDevice>* device) {
  if (uint32_t code = failOpen.load()) return code;
  {
    std::lock_guard lock(mutex_);
    openedId_ = id;
  }
  *device = std::make_unique<VirtualDevice>(*this);
  return rc::Ok;
}

VirtualSoundBuffer* VirtualAudioBackend::Buffer(size_t index) {
  std::lock_guard lock(mutex_);
  return index < buffers_.size() ? buffers_[index] : nullptr;
}

std::string VirtualAudioBackend::OpenedId() const {
  std::lock_guard lock(mutex_);
  return openedId_;
}

}  // namespace corvane
