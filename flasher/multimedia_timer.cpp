#include "flasher/multimedia_timer.h"

#include <system_error>

#include "flasher/platform_timer.h"

namespace corvane {

namespace {
// The timer whose tick the current thread is running, if any.
thread_local const TMultimediaTimer* tickingTimer = nullptr;
}  // namespace

TMultimediaTimer::TMultimediaTimer() = default;

TMultimediaTimer::~TMultimediaTimer() { StopTicks(); }

void TMultimediaTimer::StopTicks() {
  SetEnabled(false);
  if (tickingTimer == this) return;  // from its own tick
  std::unique_lock lock(tickMutex_);
  tickDone_.wait(lock, [this] { return ticksRunning_ == 0; });
}

TimerCapabilities TMultimediaTimer::TimerCaps() {
  // Our timer thread sleeps to millisecond deadlines; the interval is 16-bit.
  return {1, 65535};
}

bool TMultimediaTimer::Enabled() const {
  std::lock_guard lock(mutex_);
  return fEnabled;
}

uint16_t TMultimediaTimer::Interval() const {
  std::lock_guard lock(mutex_);
  return fInterval;
}

uint16_t TMultimediaTimer::Resolution() const {
  std::lock_guard lock(mutex_);
  return fResolution;
}

void TMultimediaTimer::SetOnTimer(Handler handler) {
  std::lock_guard lock(mutex_);
  fOnTimer = std::move(handler);
}

// Platform timers are killed outside the lock: killing waits for a tick in
// progress, and that tick may itself be calling a setter.
void TMultimediaTimer::SetEnabled(bool enabled) {
  std::unique_ptr<PlatformTimer> stopped;
  {
    std::lock_guard lock(mutex_);
    if (enabled == fEnabled) return;
    fEnabled = enabled;
    if (enabled)
      StartLocked();
    else
      stopped = StopLocked();
  }
}

void TMultimediaTimer::SetInterval(uint16_t interval) { Change(fInterval, interval); }
void TMultimediaTimer::SetResolution(uint16_t resolution) { Change(fResolution, resolution); }

// A running timer is recreated with the new value.
void TMultimediaTimer::Change(uint16_t& field, uint16_t value) {
  std::unique_ptr<PlatformTimer> stopped;
  {
    std::lock_guard lock(mutex_);
    if (value == field) return;
    if (fEnabled) stopped = StopLocked();
    field = value;
    if (fEnabled) StartLocked();
  }
}

void TMultimediaTimer::BeginLoading() {
  std::lock_guard lock(mutex_);
  loading_ = true;
}

void TMultimediaTimer::Loaded() {
  std::lock_guard lock(mutex_);
  loading_ = false;
  if (fEnabled) StartLocked();
}

void TMultimediaTimer::StartLocked() {
  if (loading_ || fTimerID != 0) return;
  // A zero interval asks for no ticks at all; it is not raised to the
  // resolution, which would start a timer nobody asked for.
  if (fInterval == 0) return;
  const TimerCapabilities caps = TimerCaps();
  if (fResolution < caps.periodMin) fResolution = static_cast<uint16_t>(caps.periodMin);
  if (fResolution > caps.periodMax) fResolution = static_cast<uint16_t>(caps.periodMax);
  if (fInterval < fResolution) fInterval = fResolution;
  try {
    platform_ = std::make_unique<PlatformTimer>(std::chrono::milliseconds(fInterval), [this] { Tick(); });
  } catch (const std::system_error&) {
    fEnabled = false;  // the platform refused the timer
    return;
  }
  fTimerID = starts_.fetch_add(1) + 1;
}

std::unique_ptr<PlatformTimer> TMultimediaTimer::StopLocked() {
  fTimerID = 0;
  return std::move(platform_);
}

void TMultimediaTimer::Tick() {
  {
    std::lock_guard lock(tickMutex_);
    ++ticksRunning_;
  }
  const TMultimediaTimer* outer = tickingTimer;
  tickingTimer = this;
  DoTimer();
  tickingTimer = outer;
  // Notified under the lock: once the destructor sees no tick running, this
  // thread no longer touches the object.
  std::lock_guard lock(tickMutex_);
  --ticksRunning_;
  tickDone_.notify_all();
}

void TMultimediaTimer::DoTimer() {
  Handler handler;
  {
    std::lock_guard lock(mutex_);
    handler = fOnTimer;
  }
  if (handler) handler(*this);
}

}  // namespace corvane
