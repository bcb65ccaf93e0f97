#include "engine/sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "settings/diagnostics.h"

namespace corvane {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMaxBuffers = 4;
constexpr int kRate = 44100;

// The longest period that keeps refills safe for a looping buffer of this
// many frames: a sound server may take two periods back to back, and those
// must never reach the half that waits for its refill, so a period is at
// most a quarter of the ring. Powers of two, as SDL prefers.
uint32_t SafePeriodFor(uint32_t ringFrames) {
  uint32_t period = SdlAudioBackend::kPeriodFrames;
  while (period > 256 && period > ringFrames / 4) period /= 2;
  return period;
}

// The period can be overridden for measurements (bench/live_cost.sh).
uint32_t PeriodOverride() {
  const char* text = std::getenv("CORVANE_SDL_PERIOD");
  const int frames = text ? std::atoi(text) : 0;
  return frames >= 256 && frames <= 8192 ? static_cast<uint32_t>(frames) : 0;
}

int64_t NowNs() { return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count(); }

class SdlDevice;

class SdlBuffer : public SoundBuffer {
 public:
  SdlBuffer(SdlDevice& device, uint32_t bytes) : device_(device), data_(bytes / 2, 0) {}
  ~SdlBuffer() override;

  uint32_t Size() const override { return static_cast<uint32_t>(data_.size() * 2); }
  uint32_t Lock(uint32_t offset, uint32_t length, int16_t** region, uint32_t* regionBytes) override {
    if (offset % 2 || length % 2 || uint64_t{offset} + length > Size()) return rc::InvalidArg;
    *region = data_.data() + offset / 2;
    *regionBytes = length;
    return rc::Ok;
  }
  uint32_t Unlock(int16_t*, uint32_t) override {
    unlocks_.fetch_add(1, std::memory_order_release);
    return rc::Ok;
  }
  uint32_t SetCurrentPosition(uint32_t byteOffset) override {
    if (byteOffset >= Size()) return rc::InvalidArg;
    if (playing_.load(std::memory_order_acquire)) return rc::InvalidCall;
    position_.store(byteOffset / 2, std::memory_order_release);
    return rc::Ok;
  }
  uint32_t Play(bool looping) override;
  uint32_t Stop() override;
  uint32_t GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) override;
  uint32_t SetVolume(int32_t volume) override {
    volume_ = volume;
    UpdateGains();
    return rc::Ok;
  }
  uint32_t SetPan(int32_t pan) override {
    pan_ = pan;
    UpdateGains();
    return rc::Ok;
  }

  // Audio callback: adds this buffer's next frames to the mix. No locks, no
  // allocation.
  void MixInto(float* left, float* right, uint32_t frames, int64_t callbackNs);
  bool Playing() const { return playing_.load(std::memory_order_acquire); }

 private:
  void UpdateGains() {
    ChannelGains g = GainsFor(volume_, pan_);
    gainLeft_.store(g.left, std::memory_order_relaxed);
    gainRight_.store(g.right, std::memory_order_relaxed);
  }

  SdlDevice& device_;
  std::vector<int16_t> data_;
  std::atomic<uint32_t> position_{0};  // ring frame the device takes next
  std::atomic<uint32_t> unlocks_{0};
  std::atomic<bool> playing_{false}, looping_{false};
  int32_t volume_ = 0, pan_ = 0;  // written by the user-interface thread only
  std::atomic<float> gainLeft_{1}, gainRight_{1};
  // When the last hand-over began and which frame it handed first, guarded
  // by a sequence number.
  std::atomic<uint32_t> timingSeq_{0};
  std::atomic<uint32_t> timingFrame_{0};
  std::atomic<int64_t> timingNs_{0};
  std::atomic<uint32_t> lastPlayCursor_{0};
};

class SdlDevice : public AudioDevice {
 public:
  explicit SdlDevice(std::string sdlName) : sdlName_(std::move(sdlName)) {
    closer_ = std::thread([this] { CloseWhenIdle(); });
  }
  ~SdlDevice() override {
    {
      std::lock_guard lock(mutex_);
      quitting_ = true;
      changed_.notify_all();
    }
    closer_.join();
    Close();
  }

  uint32_t CreateBuffer(uint32_t bytes, std::unique_ptr<SoundBuffer>* buffer) override {
    auto created = std::make_unique<SdlBuffer>(*this, bytes);
    std::lock_guard lock(mutex_);
    // A device opened with a longer period than this buffer allows opens
    // again, with the right period, when something plays.
    if (device_ != 0 && bytes > kOneShotLimitBytes && SafePeriodFor(bytes / 2) < openPeriod_) {
      SDL_CloseAudioDevice(device_);
      device_ = 0;
    }
    for (auto& slot : buffers_) {
      if (!slot.load()) {
        WithCallbackHeld([&] { slot.store(created.get(), std::memory_order_release); });
        *buffer = std::move(created);
        return rc::Ok;
      }
    }
    return rc::InvalidCall;
  }

  void Unregister(SdlBuffer* buffer) {
    std::lock_guard lock(mutex_);
    for (auto& slot : buffers_)
      if (slot.load() == buffer) WithCallbackHeld([&] { slot.store(nullptr, std::memory_order_release); });
  }

  // Opens the device when it is closed. Tries once at start, so that a
  // device that cannot be opened is known before anything plays.
  uint32_t EnsureOpen() {
    std::lock_guard lock(mutex_);
    lastActive_ = Clock::now();
    if (device_ != 0) return rc::Ok;
    SDL_AudioSpec want{}, have{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(Period());
    want.callback = &SdlDevice::Callback;
    want.userdata = this;
    // No allowed changes: SDL hands us exactly this format, so the samples
    // reach the device untouched.
    const auto opening = Clock::now();
    device_ = SDL_OpenAudioDevice(sdlName_.empty() ? nullptr : sdlName_.c_str(), 0, &want, &have, 0);
    if (device_ == 0) {
      DebugStr(std::string("SDL: ") + SDL_GetError());
      return rc::DeviceOpenFailed;
    }
    openPeriod_ = want.samples;
    if (std::getenv("CORVANE_DEBUG_SDL"))
      DebugStr("SDL device opened in " +
               std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - opening).count()) +
               " us, period " + std::to_string(have.samples) + " frames");
    SDL_PauseAudioDevice(device_, 0);
    changed_.notify_all();
    return rc::Ok;
  }

  void Touch() {
    std::lock_guard lock(mutex_);
    lastActive_ = Clock::now();
    changed_.notify_all();
  }

 private:
  template <typename F>
  void WithCallbackHeld(F f) {
    if (device_) SDL_LockAudioDevice(device_);
    f();
    if (device_) SDL_UnlockAudioDevice(device_);
  }

  // Looping buffers are larger than this; the tap buffer is not.
  static constexpr uint32_t kOneShotLimitBytes = 8192;

  uint32_t Period() {
    if (uint32_t forced = PeriodOverride()) return forced;
    uint32_t period = SdlAudioBackend::kPeriodFrames;
    for (auto& slot : buffers_)
      if (SdlBuffer* b = slot.load(std::memory_order_acquire); b && b->Size() > kOneShotLimitBytes)
        period = std::min(period, SafePeriodFor(b->Size() / 2));
    return period;
  }

  bool AnyPlaying() {
    for (auto& slot : buffers_)
      if (SdlBuffer* b = slot.load(std::memory_order_acquire); b && b->Playing()) return true;
    return false;
  }

  void Close() {
    std::lock_guard lock(mutex_);
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    device_ = 0;
  }

  // Releases the device a few seconds after the last sound: a paused SDL
  // device still keeps the sound server busy.
  void CloseWhenIdle() {
    std::unique_lock lock(mutex_);
    while (!quitting_) {
      if (device_ == 0) {
        changed_.wait(lock);
        continue;
      }
      changed_.wait_for(lock, std::chrono::milliseconds(500));
      if (AnyPlaying()) {
        lastActive_ = Clock::now();
      } else if (device_ != 0 && Clock::now() - lastActive_ > std::chrono::milliseconds(SdlAudioBackend::kIdleCloseMilliseconds)) {
        SDL_CloseAudioDevice(device_);
        device_ = 0;
      }
    }
  }

  static void Callback(void* userdata, Uint8* stream, int len) {
    auto* self = static_cast<SdlDevice*>(userdata);
    const int64_t now = NowNs();
    auto* out = reinterpret_cast<int16_t*>(stream);
    uint32_t frames = static_cast<uint32_t>(len) / 4;
    constexpr uint32_t kChunk = 1024;
    float left[kChunk], right[kChunk];
    uint32_t done = 0;
    while (done < frames) {
      const uint32_t n = std::min(kChunk, frames - done);
      std::fill_n(left, n, 0.0f);
      std::fill_n(right, n, 0.0f);
      const int64_t chunkNs = now + static_cast<int64_t>(done) * 1000000000 / kRate;
      for (auto& slot : self->buffers_)
        if (SdlBuffer* b = slot.load(std::memory_order_acquire)) b->MixInto(left, right, n, chunkNs);
      for (uint32_t i = 0; i < n; ++i) {
        out[2 * (done + i)] = static_cast<int16_t>(std::lrint(std::clamp(left[i], -32768.0f, 32767.0f)));
        out[2 * (done + i) + 1] = static_cast<int16_t>(std::lrint(std::clamp(right[i], -32768.0f, 32767.0f)));
      }
      done += n;
    }
  }

  std::string sdlName_;
  std::mutex mutex_;
  std::condition_variable changed_;
  SDL_AudioDeviceID device_ = 0;
  uint32_t openPeriod_ = 0;
  std::array<std::atomic<SdlBuffer*>, kMaxBuffers> buffers_{};
  Clock::time_point lastActive_ = Clock::now();
  bool quitting_ = false;
  std::thread closer_;
};

SdlBuffer::~SdlBuffer() { device_.Unregister(this); }

uint32_t SdlBuffer::Play(bool looping) {
  looping_.store(looping, std::memory_order_relaxed);
  if (playing_.load(std::memory_order_acquire)) return rc::Ok;
  timingSeq_.fetch_add(2, std::memory_order_acq_rel);
  timingNs_.store(0, std::memory_order_relaxed);
  lastPlayCursor_.store(position_.load(std::memory_order_relaxed) * 2, std::memory_order_relaxed);
  playing_.store(true, std::memory_order_release);
  if (uint32_t code = device_.EnsureOpen()) {
    playing_.store(false, std::memory_order_release);
    return code;
  }
  return rc::Ok;
}

uint32_t SdlBuffer::Stop() {
  playing_.store(false, std::memory_order_release);
  device_.Touch();
  return rc::Ok;
}

void SdlBuffer::MixInto(float* left, float* right, uint32_t frames, int64_t callbackNs) {
  if (!playing_.load(std::memory_order_acquire)) return;
  (void)unlocks_.load(std::memory_order_acquire);  // pairs with Unlock: written halves are visible
  uint32_t pos = position_.load(std::memory_order_relaxed);
  const auto size = static_cast<uint32_t>(data_.size());
  // Publish where this hand-over starts and when, for the play cursor.
  const uint32_t seq = timingSeq_.load(std::memory_order_relaxed);
  timingSeq_.store(seq + 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  timingFrame_.store(pos, std::memory_order_relaxed);
  timingNs_.store(callbackNs, std::memory_order_relaxed);
  timingSeq_.store(seq + 2, std::memory_order_release);

  const float gl = gainLeft_.load(std::memory_order_relaxed), gr = gainRight_.load(std::memory_order_relaxed);
  for (uint32_t i = 0; i < frames && size > 0; ++i) {
    const float s = data_[pos];
    left[i] += s * gl;
    right[i] += s * gr;
    if (++pos == size) {
      pos = 0;
      if (!looping_.load(std::memory_order_relaxed)) {
        playing_.store(false, std::memory_order_release);
        break;
      }
    }
  }
  position_.store(pos, std::memory_order_release);
}

uint32_t SdlBuffer::GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) {
  const uint32_t size = static_cast<uint32_t>(data_.size());
  const uint32_t handed = position_.load(std::memory_order_acquire);
  if (writeCursor) *writeCursor = handed * 2;
  if (!playCursor) return rc::Ok;
  uint32_t frame, seq1, seq2;
  int64_t ns;
  do {
    seq1 = timingSeq_.load(std::memory_order_acquire);
    frame = timingFrame_.load(std::memory_order_relaxed);
    ns = timingNs_.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    seq2 = timingSeq_.load(std::memory_order_relaxed);
  } while (seq1 != seq2 || (seq1 & 1));
  uint32_t cursor = lastPlayCursor_.load(std::memory_order_relaxed);
  if (ns != 0 && playing_.load(std::memory_order_acquire)) {
    // Between callbacks the clock moves the estimate on from the frame the
    // last one handed over; it never runs ahead of what was handed.
    const int64_t elapsed = (NowNs() - ns) * kRate / 1000000000;
    const uint32_t ahead = (handed + size - frame) % size;  // frames handed since
    const int64_t estimate = std::clamp<int64_t>(elapsed, -int64_t{size} / 2, ahead);
    const uint32_t estimated = static_cast<uint32_t>((frame + size + estimate % size) % size) * 2;
    // Never step back (a late callback must not repeat beats).
    const uint32_t sizeBytes = size * 2;
    const uint32_t forward = (estimated + sizeBytes - cursor) % sizeBytes;
    if (forward < sizeBytes / 2) cursor = estimated;
  }
  lastPlayCursor_.store(cursor, std::memory_order_relaxed);
  *playCursor = cursor;
  return rc::Ok;
}

}  // namespace

SdlAudioBackend::SdlAudioBackend() { initialised_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0; }

SdlAudioBackend::~SdlAudioBackend() {
  if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

uint32_t SdlAudioBackend::EnumerateDevices(std::vector<AudioDeviceInfo>* devices) {
  devices->clear();
  if (!initialised_) {
    DebugStr(std::string("SDL audio: ") + SDL_GetError());
    return rc::NoAudioDriver;
  }
  const int count = SDL_GetNumAudioDevices(0);
  if (count <= 0) return rc::NoAudioDevice;
  const char* driver = SDL_GetCurrentAudioDriver();
  devices->push_back({kDefaultDeviceId, "Default output"});
  for (int i = 0; i < count; ++i) {
    const char* name = SDL_GetAudioDeviceName(i, 0);
    if (!name) continue;
    devices->push_back({DeviceIdFromName(name), std::string(name) + " [" + (driver ? driver : "?") + "]"});
  }
  return rc::Ok;
}

uint32_t SdlAudioBackend::OpenDevice(const std::string& id, std::unique_ptr<AudioDevice>* device) {
  if (!initialised_) return rc::NoAudioDriver;
  std::string sdlName;
  if (id != kDefaultDeviceId) {
    const int count = SDL_GetNumAudioDevices(0);
    for (int i = 0; i < count; ++i)
      if (const char* name = SDL_GetAudioDeviceName(i, 0); name && DeviceIdFromName(name) == id) sdlName = name;
  }
  auto opened = std::make_unique<SdlDevice>(sdlName);
  if (uint32_t code = opened->EnsureOpen()) return code;
  *device = std::move(opened);
  return rc::Ok;
}

}  // namespace corvane
